#pragma once

#include <map>
#include <string>
#include <vector>

#include "common/Types.h"
#include "toolkit/Toolkit.h"

namespace quorbel::ui {

// One control as the program created it and last changed it.
struct MemoryControl {
  ControlDefinition definition;  // as created
  std::string text;              // current text, at first definition.text
  bool visible = true;
  bool enabled = true;
  bool checked = false;
  int minimum = 0;
  int maximum = 0;
  int position = 0;
  std::string image;  // image name of the picture shown
  // Rows of a list: one cell for list boxes and drop-down lists, one per
  // column for list views.
  std::vector<std::vector<std::string>> rows;
  int selected = -1;
  int caret = 0;  // characters before the caret of a text box

  bool IsList() const {
    return definition.kind == ControlKind::ComboBox || definition.kind == ControlKind::ListBox ||
           definition.kind == ControlKind::ListView;
  }
};

// An entry of a form's menus; titles on the menu bar have menu 0.
struct MemoryMenuItem {
  int menu = 0;
  int id = 0;
  std::string text;
  std::string letters;  // "X" checked, "D" disabled

  bool IsChecked() const { return letters.find('X') != std::string::npos; }
  bool IsEnabled() const { return letters.find('D') == std::string::npos; }
};

struct MemoryForm {
  std::string name;  // as created
  std::string parent;
  std::string caption;
  Rect place;
  std::string letters;
  int textColour = kDefaultColour;
  int backColour = kDefaultColour;
  WindowId handle = 0;
  bool minimised = false;
  std::string icon;
  int focus = 0;
  std::map<int, MemoryControl> controls;
  std::vector<int> creationOrder;
  std::vector<MemoryMenuItem> menus;  // in the order added
  std::string accelerators;
  std::map<int, float> timers;  // running timers and their intervals in seconds
};

struct MemoryFont {
  std::string face;
  double points = 0;
  std::string letters;
};

struct MessageBoxRecord {
  std::string form;
  std::string text;
  std::string title;
  Buttons buttons = Buttons::Ok;
  int answer = kAnswerYes;
};

enum class FileDialogKind { Open, Save };

struct FileDialogRecord {
  FileDialogKind kind = FileDialogKind::Open;
  std::string form;
  std::string title;
  std::string startFolder;
  std::string proposedName;  // save dialog only
  std::string filter;
  std::string defaultExtension;  // save dialog only
  std::string letters;
  std::string answer;
};

struct HelpRecord {
  std::string form;
  std::string helpFile;
};

}  // namespace quorbel::ui
