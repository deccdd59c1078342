#pragma once

#include <string>
#include <vector>

#include "ui/Toolkit.h"

namespace quorbel {

// A toolkit that shows nothing and keeps the texts of its message boxes.
class RecordingToolkit : public ui::Toolkit {
 public:
  std::vector<std::string> messages;

  int MessageBox(const std::string&, const std::string& text, const std::string&,
                 ui::Buttons) override {
    messages.push_back(text);
    return ui::kAnswerYes;
  }

  int Run(const ui::StartupCallback&, const ui::LayoutCallback&,
          const ui::EventCallback&) override {
    return 0;
  }
  void CreateForm(const std::string&, const std::string&, const std::string&, ui::Rect,
                  const std::string&, int, int) override {}
  void UnloadForm(const std::string&) override {}
  void MinimizeForm(const std::string&) override {}
  void SetFormIcon(const std::string&, const std::string&) override {}
  WindowId Handle(const std::string&) override { return 0; }
  ui::Size FormSize(const std::string&) override { return {}; }
  ui::Size ScreenSize() override { return {}; }
  ui::Size CharSize() override { return {}; }
  void DefineColour(int, int, int, int) override {}
  void DefineFont(int, const std::string&, double, const std::string&) override {}
  void AddControl(const std::string&, const ui::ControlSpec&) override {}
  void SetText(const std::string&, int, const std::string&) override {}
  std::string Text(const std::string&, int) override { return {}; }
  void SetCheck(const std::string&, int, bool) override {}
  bool Checked(const std::string&, int) override { return false; }
  void Show(const std::string&, int, int) override {}
  void Hide(const std::string&, int, int) override {}
  void Enable(const std::string&, int, int) override {}
  void Disable(const std::string&, int, int) override {}
  void SetFocus(const std::string&, int) override {}
  void SetRange(const std::string&, int, int, int, int) override {}
  int Position(const std::string&, int) override { return 0; }
  int LoadPicture(const std::string&) override { return 0; }
  void SetImage(const std::string&, int, int) override {}
  void ClearItems(const std::string&, int) override {}
  void AddItems(const std::string&, int, const std::string&) override {}
  void AddListViewItem(const std::string&, int, int, int, const std::string&) override {}
  void SelectItem(const std::string&, int, int) override {}
  int LastItem(const std::string&, int) override { return -1; }
  int FindItem(const std::string&, int, const std::string&) override { return -1; }
  int NextSelected(const std::string&, int, int) override { return -1; }
  std::string ItemText(const std::string&, int, int, int) override { return {}; }
  void AddMenuTitle(const std::string&, int, const std::string&) override {}
  void AddMenuItem(const std::string&, int, int, const std::string&) override {}
  void RemoveMenuItem(const std::string&, int) override {}
  void SetMenuItem(const std::string&, int, const std::string&) override {}
  void DefineAccelerators(const std::string&, const std::string&) override {}
  void StartTimer(const std::string&, int, float) override {}
  void StopTimer(const std::string&, int) override {}
  void Delay(float) override {}
  void DoEvents() override {}
  void AllowKeyEvents(int) override {}
  bool KeyDownNow(int) override { return false; }
  std::string OpenFileDialog(const std::string&, const std::string&, const std::string&,
                             const std::string&, const std::string&) override {
    return {};
  }
  std::string SaveFileDialog(const std::string&, const std::string&, const std::string&,
                             const std::string&, const std::string&, const std::string&,
                             const std::string&) override {
    return {};
  }
  void ShowHelp(const std::string&, const std::string&) override {}
};

}  // namespace quorbel
