#pragma once

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "toolkit/AcceleratorTable.h"
#include "toolkit/Toolkit.h"

namespace quorbel::ui {

// One control of a form: its kind, its window and how it is drawn.
struct Win32Control {
  ControlKind kind = ControlKind::Label;
  HWND window = nullptr;  // a child of the form's window
  std::string text;       // the text as set, for kinds that show none
  Rect place;             // on the form's character grid
  int font = kDefaultFont;
  int textColour = kDefaultColour;
  int backColour = kDefaultColour;
  int position = 0;    // of an up-down or slider, as last reported
  SIZE pictureSize{};  // the size a picture was made with, in pixels
  int pictureKey = 0;  // the picture it shows
  int wheel = 0;       // of an up-down: the wheel's turn short of a whole notch
};

// A menu entry; separators and titles are entries too. Several entries may
// carry one ID (separators do), and a change by ID applies to all of them.
struct Win32MenuEntry {
  int id = 0;
  HMENU owner = nullptr;    // the menu (or the menu bar) that holds the entry
  HMENU submenu = nullptr;  // set once items are added under the entry
};

struct Win32Form {
  std::string name;  // as created
  std::string parent;
  Rect place;
  HWND window = nullptr;
  int dpi = 96;  // of the screen the window is on, as last told
  int textColour = kDefaultColour;
  int backColour = kDefaultColour;
  std::map<int, Win32Control> controls;
  std::set<int> timers;  // running
  bool modal = false;
  HICON icon = nullptr;       // set by the program, owned here
  HICON smallIcon = nullptr;  // the same for the caption, drawn small
  HMENU menuBar = nullptr;
  std::vector<Win32MenuEntry> menu;  // in the order added
  std::vector<Accelerator> accelerators;
  HWND focusWhenLeft = nullptr;  // the control that had the focus as the window was left
};

}  // namespace quorbel::ui
