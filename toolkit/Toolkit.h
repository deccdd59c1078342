#pragma once

#include <functional>
#include <string>

#include "common/Types.h"

namespace quorbel::ui {

// Event codes the windows report to their event callback.
enum EventCode : int {
  kFormClosed = 0,
  kClick = 1,  // also a menu command or an accelerator
  kGotFocus = 3,
  kLostFocus = 4,
  kChanged = 6,  // selection or value changed; value = new index or position
  kKeyDown = 30,
  kKeyUp = 31,
  kCharacter = 32,  // value = the character typed (Unicode)
  kSystemKey = 40,  // value = key code
};

// One event as the callback sees it. Everything but the form name may be
// changed by the callback: a key-down whose `cancel` is set produces no
// character event.
struct Event {
  std::string form;
  int id = 0;  // control ID; 0 is the form itself; a timer reports its own ID
  int code = 0;
  int value = 0;
  bool cancel = false;
};

// Positions and sizes are in character columns and rows of the form.
struct Rect {
  double column = 0;
  double row = 0;
  double width = 0;
  double height = 0;
};

struct Size {
  double width = 0;
  double height = 0;
};

enum class ControlKind {
  Label,
  Text,
  Button,
  CheckBox,
  Radio,
  ComboBox,  // drop-down list
  ListBox,
  ListView,    // text: column titles with widths in braces, "Handle{6}|Name{20}"
  TabControl,  // text: tab titles separated by "|"
  UpDown,
  VTrackBar,
  Picture,  // text: image name such as "$FuncUp"
  Icon,
};

inline constexpr int kDefaultColour = -1;
inline constexpr int kDefaultFont = -1;

struct ControlDefinition {
  ControlKind kind = ControlKind::Label;
  int id = 0;
  Rect place;
  std::string text;
  std::string letters;  // property letters, passed as they stand ("H" hidden)
  int textColour = kDefaultColour;
  int backColour = kDefaultColour;
  int font = kDefaultFont;
};

enum class Buttons { Ok, YesNo };
// Answer of a message box: 1 for "OK" or "Yes", 0 for "No".
inline constexpr int kAnswerYes = 1;
inline constexpr int kAnswerNo = 0;

using StartupCallback = std::function<void()>;
using LayoutCallback = std::function<void(const std::string& form)>;
using EventCallback = std::function<void(Event& event)>;

// The window toolkit as the program uses it. Forms are addressed by name,
// whatever the case; controls by numeric ID within their form.
class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // Runs the program: start-up first, then events until the last form closes.
  virtual int Run(const StartupCallback& startup, const LayoutCallback& layout,
                  const EventCallback& events) = 0;

  // Forms. Creating a form runs the layout callback for it before returning;
  // a modal form ("M") returns only when it has been closed.
  virtual void CreateForm(const std::string& name, const std::string& parent,
                          const std::string& caption, Rect place, const std::string& letters,
                          int textColour, int backColour) = 0;
  virtual void UnloadForm(const std::string& form) = 0;
  virtual void MinimizeForm(const std::string& form) = 0;
  virtual void SetFormIcon(const std::string& form, const std::string& iconName) = 0;
  virtual WindowId Handle(const std::string& form) = 0;
  // Whether the form is open; a form goes with the form it was created in.
  virtual bool HasForm(const std::string& form) { return Handle(form) != 0; }
  virtual Size FormSize(const std::string& form) = 0;
  // Where the form stands on the screen, with its size. A toolkit that cannot
  // tell the position reports the form at the screen's top left corner.
  virtual Rect FormPlace(const std::string& form) {
    const Size size = FormSize(form);
    return Rect{0, 0, size.width, size.height};
  }
  virtual Size ScreenSize() = 0;  // in character units
  virtual Size CharSize() = 0;    // one column and one row, in pixels

  // Colours and fonts in numbered slots.
  virtual void DefineColour(int slot, int red, int green, int blue) = 0;
  virtual void DefineFont(int slot, const std::string& face, double points,
                          const std::string& letters) = 0;

  // Controls.
  virtual void AddControl(const std::string& form, const ControlDefinition& definition) = 0;
  virtual void SetText(const std::string& form, int id,
                       const std::string& text) = 0;  // id 0: caption
  virtual std::string Text(const std::string& form, int id) = 0;
  virtual void SetCheck(const std::string& form, int id, bool checked) = 0;
  virtual bool Checked(const std::string& form, int id) = 0;
  virtual void Show(const std::string& form, int firstId, int lastId) = 0;
  virtual void Hide(const std::string& form, int firstId, int lastId) = 0;
  virtual void Enable(const std::string& form, int firstId, int lastId) = 0;
  virtual void Disable(const std::string& form, int firstId, int lastId) = 0;
  virtual void SetFocus(const std::string& form, int id) = 0;
  // Puts the caret of a text box after its first `position` characters.
  virtual void SetCaret(const std::string& form, int id, int position) = 0;
  virtual void SetRange(const std::string& form, int id, int minimum, int maximum,
                        int position) = 0;  // up-down and slider
  virtual int Position(const std::string& form, int id) = 0;

  // Pictures: an image name such as "$FuncUp" becomes a key, shown at once.
  virtual int LoadPicture(const std::string& imageName) = 0;
  virtual void SetImage(const std::string& form, int id, int pictureKey) = 0;

  // Lists (list box, drop-down list, list view). Indices are 0-based; -1 is none.
  virtual void ClearItems(const std::string& form, int id) = 0;
  virtual void AddItems(const std::string& form, int id, const std::string& itemsBarSeparated) = 0;
  // One item whose text is taken as it stands, "|" included.
  virtual void AddItem(const std::string& form, int id, const std::string& text) = 0;
  // List view: sets the cell of a row; column 0 inserts a new row at `row`.
  virtual void AddListViewItem(const std::string& form, int id, int row, int column,
                               const std::string& text) = 0;
  virtual void SelectItem(const std::string& form, int id, int index) = 0;
  virtual int LastItem(const std::string& form, int id) = 0;  // count - 1
  virtual int FindItem(const std::string& form, int id, const std::string& text) = 0;
  virtual int NextSelected(const std::string& form, int id, int after) = 0;
  virtual std::string ItemText(const std::string& form, int id, int index, int column = 0) = 0;

  // Menus. A title on the menu bar has parent 0; an item names its menu.
  // "-" is a separator. Letters: "X" checked, "D" disabled, "" plain.
  virtual void AddMenuTitle(const std::string& form, int id, const std::string& text) = 0;
  virtual void AddMenuItem(const std::string& form, int menuId, int id,
                           const std::string& text) = 0;
  virtual void RemoveMenuItem(const std::string& form, int id) = 0;
  virtual void SetMenuItem(const std::string& form, int id, const std::string& letters) = 0;
  // "^F12,28|^X,1605|": key and ID pairs, each closed by "|".
  virtual void DefineAccelerators(const std::string& form, const std::string& table) = 0;

  // Timers report their own ID as the control ID, with event code kClick.
  virtual void StartTimer(const std::string& form, int id, float seconds) = 0;
  virtual void StopTimer(const std::string& form, int id) = 0;

  // Waits that keep the program's windows responsive.
  virtual void Delay(float seconds) = 0;
  virtual void DoEvents() = 0;
  virtual void AllowKeyEvents(int mode) = 0;

  // Message box: "|" breaks a line; "{!}" or "{?}" at the end chooses the icon.
  virtual int MessageBox(const std::string& form, const std::string& text, const std::string& title,
                         Buttons buttons) = 0;
  // File dialogs return the chosen full path, or empty text when cancelled.
  // They never change the current directory.
  virtual std::string OpenFileDialog(const std::string& form, const std::string& title,
                                     const std::string& startFolder, const std::string& filter,
                                     const std::string& letters) = 0;
  virtual std::string SaveFileDialog(const std::string& form, const std::string& title,
                                     const std::string& startFolder,
                                     const std::string& proposedName, const std::string& filter,
                                     const std::string& defaultExtension,
                                     const std::string& letters) = 0;
  // Opens the help file with the desktop's viewer for it; false when none
  // could open it.
  virtual bool ShowHelp(const std::string& form, const std::string& helpFile) = 0;
};

}  // namespace quorbel::ui
