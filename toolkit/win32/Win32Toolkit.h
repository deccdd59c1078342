#pragma once

#include <windows.h>
// The system's headers name MessageBoxA or MessageBoxW by a macro that
// would rename the contract's MessageBox here but not in the logic.
#undef MessageBox

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "toolkit/Toolkit.h"
#include "toolkit/win32/Appearance.h"
#include "toolkit/win32/BitmapStore.h"
#include "toolkit/win32/CharGrid.h"
#include "toolkit/win32/Win32Calls.h"
#include "toolkit/win32/Win32Form.h"

namespace quorbel::ui {

// The window toolkit on plain Win32 windows and the system's common controls.
// Forms are top-level windows addressed by name whatever the case; controls
// are child windows placed on the character grid of their form, scaled by
// the form's DPI (CharGrid.h).
//
// Every method may be called from any thread: a call from another thread runs
// on the GUI thread while the caller waits (Win32Calls). Events reach the
// event callback on the GUI thread: click (1) for buttons, check boxes, radio
// buttons, labels, pictures, icons and timers; changed (6) for a user's choice
// in a list or tab control, a slider or up-down move and a user's edit of a
// text box; got and lost focus (3, 4) for text boxes, and for the form (ID 0)
// when its window is activated or deactivated; closed (0) for the close box,
// which a callback that sets `cancel` keeps open. Programmatic changes send
// no event.
class Win32Toolkit : public Toolkit {
 public:
  // The toolkit belongs to the thread that constructs it, the GUI thread.
  // Without an image source every picture is blank but for the system's
  // message icons ("#?Icon").
  explicit Win32Toolkit(std::shared_ptr<const BitmapSource> images = nullptr);
  ~Win32Toolkit() override;
  Win32Toolkit(const Win32Toolkit&) = delete;
  Win32Toolkit& operator=(const Win32Toolkit&) = delete;

  // Where pictures come from; images already shown stay until set again.
  void SetImageSource(std::shared_ptr<const BitmapSource> images);
  // The blocking calls into the GUI thread, shared with Win32UiRequests.
  Win32Calls& Calls() { return calls_; }
  // The callbacks Run() installs, for a caller that runs its own message loop.
  void SetCallbacks(const LayoutCallback& layout, const EventCallback& events);

  int Run(const StartupCallback& startup, const LayoutCallback& layout,
          const EventCallback& events) override;

  void CreateForm(const std::string& name, const std::string& parent, const std::string& caption,
                  Rect place, const std::string& letters, int textColour, int backColour) override;
  void UnloadForm(const std::string& form) override;
  void MinimizeForm(const std::string& form) override;
  void SetFormIcon(const std::string& form, const std::string& iconName) override;
  WindowId Handle(const std::string& form) override;
  Size FormSize(const std::string& form) override;
  Rect FormPlace(const std::string& form) override;
  Size ScreenSize() override;
  Size CharSize() override;  // in pixels at the normal 96 DPI, as the grid is given

  void DefineColour(int slot, int red, int green, int blue) override;
  void DefineFont(int slot, const std::string& face, double points,
                  const std::string& letters) override;

  void AddControl(const std::string& form, const ControlDefinition& definition) override;
  void SetText(const std::string& form, int id, const std::string& text) override;
  std::string Text(const std::string& form, int id) override;
  void SetCheck(const std::string& form, int id, bool checked) override;
  bool Checked(const std::string& form, int id) override;
  void Show(const std::string& form, int firstId, int lastId) override;
  void Hide(const std::string& form, int firstId, int lastId) override;
  void Enable(const std::string& form, int firstId, int lastId) override;
  void Disable(const std::string& form, int firstId, int lastId) override;
  void SetFocus(const std::string& form, int id) override;
  void SetCaret(const std::string& form, int id, int position) override;
  void SetRange(const std::string& form, int id, int minimum, int maximum, int position) override;
  int Position(const std::string& form, int id) override;

  // Pictures: an image name such as "$FuncUp" becomes a key, shown at once.
  int LoadPicture(const std::string& imageName) override;
  void SetImage(const std::string& form, int id, int pictureKey) override;

  void ClearItems(const std::string& form, int id) override;
  void AddItems(const std::string& form, int id, const std::string& itemsBarSeparated) override;
  void AddItem(const std::string& form, int id, const std::string& text) override;
  void AddListViewItem(const std::string& form, int id, int row, int column,
                       const std::string& text) override;
  void SelectItem(const std::string& form, int id, int index) override;
  int LastItem(const std::string& form, int id) override;
  // Exact match on the first column, ignoring case.
  int FindItem(const std::string& form, int id, const std::string& text) override;
  int NextSelected(const std::string& form, int id, int after) override;
  std::string ItemText(const std::string& form, int id, int index, int column = 0) override;

  // Menus. A title on the menu bar has parent 0; an item names its menu.
  // "-" is a separator. Letters: "X" checked, "D" disabled, "" plain.
  void AddMenuTitle(const std::string& form, int id, const std::string& text) override;
  void AddMenuItem(const std::string& form, int menuId, int id, const std::string& text) override;
  void RemoveMenuItem(const std::string& form, int id) override;
  void SetMenuItem(const std::string& form, int id, const std::string& letters) override;
  // "^F12,28|^X,1605|": key and ID pairs, each closed by "|". An accelerator
  // works always; its key goes no further.
  void DefineAccelerators(const std::string& form, const std::string& table) override;

  void StartTimer(const std::string& form, int id, float seconds) override;
  void StopTimer(const std::string& form, int id) override;

  // On the GUI thread these serve messages; on another thread Delay sleeps
  // and DoEvents does nothing.
  void Delay(float seconds) override;
  void DoEvents() override;
  // Key events (30, 31, 32, 40) go to the text box that has the focus, else
  // to the form, once this was called with a mode other than 0. A key-down
  // whose `cancel` is set types no character.
  void AllowKeyEvents(int mode) override;

  int MessageBox(const std::string& form, const std::string& text, const std::string& title,
                 Buttons buttons) override;

  // File dialogs return the chosen full path, or empty text when cancelled.
  // They never change the current directory.
  std::string OpenFileDialog(const std::string& form, const std::string& title,
                             const std::string& startFolder, const std::string& filter,
                             const std::string& letters) override;
  std::string SaveFileDialog(const std::string& form, const std::string& title,
                             const std::string& startFolder, const std::string& proposedName,
                             const std::string& filter, const std::string& defaultExtension,
                             const std::string& letters) override;
  // Opens the help file with the desktop's viewer for it; false when none
  // could open it.
  bool ShowHelp(const std::string& form, const std::string& helpFile) override;

  // --- For tests and the program's own glue (GUI thread) -----------------
  HWND FormWindow(const std::string& form) const;
  HWND ControlWindow(const std::string& form, int id) const;

 private:
  template <typename Work>
  auto OnGui(Work&& work) -> std::invoke_result_t<Work&> {
    using Result = std::invoke_result_t<Work&>;
    if (calls_.OnGuiThread()) return work();
    if constexpr (std::is_void_v<Result>) {
      calls_.Call(work);
    } else {
      Result result{};
      calls_.Call([&] { result = work(); });
      return result;
    }
  }

  static LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnFormMessage(Win32Form& form, UINT message, WPARAM wParam, LPARAM lParam);
  // Control notifications; true when the message was the toolkit's.
  bool OnCommand(Win32Form& form, WPARAM wParam);
  bool OnNotify(Win32Form& form, const NMHDR& header);
  void OnScroll(Win32Form& form, HWND control);
  LRESULT OnControlColour(Win32Form& form, HWND control, HDC context, UINT message, WPARAM wParam,
                          LPARAM lParam);
  // A tab control paints its pane in its form's colour, as the controls on
  // the pane take that colour too.
  static LRESULT CALLBACK TabPaneProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR subclass, DWORD_PTR toolkit);
  LRESULT OnTabPaneMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // An up-down also steps with the Up, Down and Page keys once a click has
  // given it the focus, and with the mouse wheel.
  static LRESULT CALLBACK UpDownProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR subclass, DWORD_PTR toolkit);
  void StepUpDown(HWND window, int steps, int wheel);

  // The form moved to a screen of another DPI: its frame takes the place the
  // system suggests, its controls the grid, fonts and pictures of the new DPI.
  void OnDpiChanged(Win32Form& form, int dpi, const RECT& suggested);

  // Menus and keys.
  HMENU SubmenuOf(Win32Form& form, int id);
  void KeepClientSize(Win32Form& form);
  bool Accelerate(Win32Form& form, int virtualKey);
  // True when the key message was the toolkit's and goes no further.
  bool RouteKey(const MSG& message);
  int KeyTargetOf(Win32Form& form, HWND window);

  // Dispatches the messages waiting now; returns how many.
  int DispatchWaiting();
  void WaitAndDispatch(DWORD milliseconds);

  static std::string Key(const std::string& form);
  Win32Form* FindForm(const std::string& form) const;
  Win32Form* FormOfWindow(HWND window) const;
  Win32Control* FindControl(const std::string& form, int id) const;
  static Win32Control* ControlOf(Win32Form& form, int id);
  void ForRange(const std::string& form, int firstId, int lastId, void (*change)(HWND));
  void Unload(const std::string& key);
  HWND MakeWindow(Win32Form& form, const ControlDefinition& definition);
  void ShowPicture(Win32Control& control, int key);
  // A label whose text fits on one line stands in the middle of its height, as
  // the other toolkits draw it; text that needs more lines wraps from the top.
  static void CentreOneLine(HWND label);
  // Appends rows to a list box, drop-down list or list view.
  static void AppendItems(Win32Control& control, const std::vector<std::string>& items);
  CharGrid GridOf(HWND window) const;
  HWND DialogOwner(const std::string& form) const;

  // Sends one event to the callback; returns it as the callback left it.
  Event Deliver(const Win32Form& form, int id, int code, int value);

  Win32Calls calls_;
  LayoutCallback layout_;
  EventCallback events_;
  std::map<std::string, std::unique_ptr<Win32Form>> forms_;  // by upper-case name
  std::unordered_map<HWND, Win32Form*> formOfWindow_;
  Appearance appearance_;
  BitmapStore pictures_;
  bool quiet_ = false;
  std::atomic<int> keyEventsMode_{0};  // while the program itself changes a control
};

}  // namespace quorbel::ui
