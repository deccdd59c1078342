#pragma once

#include <gmock/gmock.h>

#include <string>

#include "toolkit/Toolkit.h"

namespace quorbel::ui {

class MockToolkit : public Toolkit {
 public:
  MOCK_METHOD(int, Run, (const StartupCallback&, const LayoutCallback&, const EventCallback&),
              (override));
  MOCK_METHOD(void, CreateForm,
              (const std::string&, const std::string&, const std::string&, Rect, const std::string&,
               int, int),
              (override));
  MOCK_METHOD(void, UnloadForm, (const std::string&), (override));
  MOCK_METHOD(void, MinimizeForm, (const std::string&), (override));
  MOCK_METHOD(void, SetFormIcon, (const std::string&, const std::string&), (override));
  MOCK_METHOD(WindowId, Handle, (const std::string&), (override));
  MOCK_METHOD(Size, FormSize, (const std::string&), (override));
  MOCK_METHOD(Size, ScreenSize, (), (override));
  MOCK_METHOD(Size, CharSize, (), (override));
  MOCK_METHOD(void, DefineColour, (int, int, int, int), (override));
  MOCK_METHOD(void, DefineFont, (int, const std::string&, double, const std::string&), (override));
  MOCK_METHOD(void, AddControl, (const std::string&, const ControlDefinition&), (override));
  MOCK_METHOD(void, SetText, (const std::string&, int, const std::string&), (override));
  MOCK_METHOD(std::string, Text, (const std::string&, int), (override));
  MOCK_METHOD(void, SetCheck, (const std::string&, int, bool), (override));
  MOCK_METHOD(bool, Checked, (const std::string&, int), (override));
  MOCK_METHOD(void, Show, (const std::string&, int, int), (override));
  MOCK_METHOD(void, Hide, (const std::string&, int, int), (override));
  MOCK_METHOD(void, Enable, (const std::string&, int, int), (override));
  MOCK_METHOD(void, Disable, (const std::string&, int, int), (override));
  MOCK_METHOD(void, SetFocus, (const std::string&, int), (override));
  MOCK_METHOD(void, SetRange, (const std::string&, int, int, int, int), (override));
  MOCK_METHOD(int, Position, (const std::string&, int), (override));
  MOCK_METHOD(int, LoadPicture, (const std::string&), (override));
  MOCK_METHOD(void, SetImage, (const std::string&, int, int), (override));
  MOCK_METHOD(void, ClearItems, (const std::string&, int), (override));
  MOCK_METHOD(void, AddItems, (const std::string&, int, const std::string&), (override));
  MOCK_METHOD(void, AddItem, (const std::string&, int, const std::string&), (override));
  MOCK_METHOD(void, SetCaret, (const std::string&, int, int), (override));
  MOCK_METHOD(void, AddListViewItem, (const std::string&, int, int, int, const std::string&),
              (override));
  MOCK_METHOD(void, SelectItem, (const std::string&, int, int), (override));
  MOCK_METHOD(int, LastItem, (const std::string&, int), (override));
  MOCK_METHOD(int, FindItem, (const std::string&, int, const std::string&), (override));
  MOCK_METHOD(int, NextSelected, (const std::string&, int, int), (override));
  MOCK_METHOD(std::string, ItemText, (const std::string&, int, int, int), (override));
  MOCK_METHOD(void, AddMenuTitle, (const std::string&, int, const std::string&), (override));
  MOCK_METHOD(void, AddMenuItem, (const std::string&, int, int, const std::string&), (override));
  MOCK_METHOD(void, RemoveMenuItem, (const std::string&, int), (override));
  MOCK_METHOD(void, SetMenuItem, (const std::string&, int, const std::string&), (override));
  MOCK_METHOD(void, DefineAccelerators, (const std::string&, const std::string&), (override));
  MOCK_METHOD(void, StartTimer, (const std::string&, int, float), (override));
  MOCK_METHOD(void, StopTimer, (const std::string&, int), (override));
  MOCK_METHOD(void, Delay, (float), (override));
  MOCK_METHOD(void, DoEvents, (), (override));
  MOCK_METHOD(void, AllowKeyEvents, (int), (override));
  MOCK_METHOD(int, MessageBox,
              (const std::string&, const std::string&, const std::string&, Buttons), (override));
  MOCK_METHOD(std::string, OpenFileDialog,
              (const std::string&, const std::string&, const std::string&, const std::string&,
               const std::string&),
              (override));
  MOCK_METHOD(std::string, SaveFileDialog,
              (const std::string&, const std::string&, const std::string&, const std::string&,
               const std::string&, const std::string&, const std::string&),
              (override));
  MOCK_METHOD(bool, ShowHelp, (const std::string&, const std::string&), (override));
};

}  // namespace quorbel::ui
