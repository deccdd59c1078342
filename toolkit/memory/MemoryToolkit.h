#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/Toolkit.h"
#include "toolkit/memory/MemoryForm.h"

namespace quorbel::ui {

// The window toolkit kept in memory for tests. It records everything the
// program shows, lets a test click, pick, type and close as a user would, and
// answers message boxes and file dialogs from queues the test fills.
//
// Run() calls the start-up callback and returns 0 at once: afterwards the test
// drives the program. Events go to the event callback on the caller's thread.
// Every method may be called from any thread; no lock is held while a callback
// or hook runs, so callbacks may call back into the toolkit.
//
// Operations the program makes on a form or control that does not exist are
// recorded in Faults() and otherwise do nothing.
class MemoryToolkit : public Toolkit {
 public:
  // --- The toolkit as the program sees it ---------------------------------
  int Run(const StartupCallback& startup, const LayoutCallback& layout,
          const EventCallback& events) override;

  void CreateForm(const std::string& name, const std::string& parent, const std::string& caption,
                  Rect place, const std::string& letters, int textColour, int backColour) override;
  void UnloadForm(const std::string& form) override;
  void MinimizeForm(const std::string& form) override;
  void SetFormIcon(const std::string& form, const std::string& iconName) override;
  WindowId Handle(const std::string& form) override;
  bool HasForm(const std::string& form) override;
  Size FormSize(const std::string& form) override;
  Rect FormPlace(const std::string& form) override;
  Size ScreenSize() override;
  Size CharSize() override;

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

  void AddMenuTitle(const std::string& form, int id, const std::string& text) override;
  void AddMenuItem(const std::string& form, int menuId, int id, const std::string& text) override;
  void RemoveMenuItem(const std::string& form, int id) override;
  void SetMenuItem(const std::string& form, int id, const std::string& letters) override;
  void DefineAccelerators(const std::string& form, const std::string& table) override;

  void StartTimer(const std::string& form, int id, float seconds) override;
  void StopTimer(const std::string& form, int id) override;

  void Delay(float seconds) override;
  void DoEvents() override;
  void AllowKeyEvents(int mode) override;

  int MessageBox(const std::string& form, const std::string& text, const std::string& title,
                 Buttons buttons) override;
  std::string OpenFileDialog(const std::string& form, const std::string& title,
                             const std::string& startFolder, const std::string& filter,
                             const std::string& letters) override;
  std::string SaveFileDialog(const std::string& form, const std::string& title,
                             const std::string& startFolder, const std::string& proposedName,
                             const std::string& filter, const std::string& defaultExtension,
                             const std::string& letters) override;
  bool ShowHelp(const std::string& form, const std::string& helpFile) override;

  // --- Set-up by the test ---------------------------------------------------
  // The callbacks Run() would install, for tests that do not go through Run().
  void SetCallbacks(const LayoutCallback& layout, const EventCallback& events);
  // Called after the layout of a modal ("M") form; the form is up while it
  // runs. Without it CreateForm returns with the modal form still open.
  void SetModalHook(const std::function<void(const std::string& form)>& hook);
  // Called on each Delay with its seconds, e.g. to advance a fake clock.
  void SetDelayHook(const std::function<void(float seconds)>& hook);
  // Called on each DoEvents, e.g. to answer the program's own prompt forms.
  void SetDoEventsHook(const std::function<void()>& hook);
  // Called while a message box or file dialog is up, after it was recorded.
  void SetDialogHook(const std::function<void()>& hook);
  // Answers for the next message boxes, in order. When none is queued an OK
  // box answers kAnswerYes and a yes/no box kAnswerNo.
  void QueueAnswer(int answer);
  // Paths for the next file dialogs, in order; empty text when none is queued.
  void QueueFilePath(const std::string& path);

  // --- Driving, as a user would ---------------------------------------------
  // Every event is recorded in Events() as sent, then given to the event
  // callback. The methods return false and send nothing when the user could
  // not do it (no such form, a hidden or disabled control, a disabled menu
  // item, a timer that does not run, an index outside the list).
  //
  // Click on a control, menu item, accelerator ID or the form (ID 0): kClick.
  // A check box toggles and a radio button becomes checked before the event.
  bool Click(const std::string& form, int id);
  // Selects row `index` of a list and sends kChanged with the index.
  bool Pick(const std::string& form, int id, int index);
  // Moves a slider or up-down (clamped to its range); kChanged with the position.
  bool SetPosition(const std::string& form, int id, int position);
  // Replaces the text of a text box and sends kChanged.
  bool EnterText(const std::string& form, int id, const std::string& text);
  // The close box: kFormClosed on ID 0; unless the callback sets cancel, the
  // form is then unloaded. True when the form is gone afterwards.
  bool Close(const std::string& form);
  // A key typed into control `id` (0: the form): kKeyDown with the key code;
  // unless the callback cancelled it, kCharacter with `character` (Unicode)
  // when that is not 0 (a text box then shows the character unless that event is
  // cancelled too); then kKeyUp. Key events reach the callback only after
  // AllowKeyEvents with a non-zero mode; before that only the text box changes.
  bool KeyPress(const std::string& form, int id, int virtualKey, int character);
  // A system key such as F10: kSystemKey with the key code (needs key events on).
  bool SystemKey(const std::string& form, int id, int virtualKey);
  // The timer's tick: kClick with the timer's ID.
  bool FireTimer(const std::string& form, int id);
  // Sends any event as it stands, with no checks; returns it as the callback
  // left it.
  Event Send(const std::string& form, int id, int code, int value = 0);

  // --- What the test can see --------------------------------------------------
  std::vector<Event> Events() const;
  void ClearEvents();
  std::vector<std::string> Faults() const;
  void ClearFaults();

  bool HasForm(const std::string& form) const;
  std::vector<std::string> FormNames() const;  // open forms, as created
  std::optional<MemoryForm> Form(const std::string& form) const;
  std::string Caption(const std::string& form) const;
  bool Minimised(const std::string& form) const;
  std::string FormIcon(const std::string& form) const;
  int Focus(const std::string& form) const;  // 0: the form itself

  std::optional<MemoryControl> Control(const std::string& form, int id) const;
  std::vector<int> ControlIds(const std::string& form) const;  // in creation order
  bool Visible(const std::string& form, int id) const;
  bool Enabled(const std::string& form, int id) const;
  std::string ImageName(const std::string& form, int id) const;
  std::vector<std::string> Items(const std::string& form, int id) const;  // first column
  std::vector<std::string> Row(const std::string& form, int id, int row) const;
  int Selected(const std::string& form, int id) const;

  std::vector<MemoryMenuItem> MenuItems(const std::string& form, int menuId) const;
  std::optional<MemoryMenuItem> MenuItem(const std::string& form, int id) const;
  bool MenuChecked(const std::string& form, int id) const;
  bool MenuEnabled(const std::string& form, int id) const;
  std::string Accelerators(const std::string& form) const;

  bool TimerRunning(const std::string& form, int id) const;
  float TimerInterval(const std::string& form, int id) const;  // 0 when not running

  std::optional<std::array<int, 3>> Colour(int slot) const;
  std::optional<MemoryFont> Font(int slot) const;
  int KeyEventsMode() const;

  std::vector<float> Delays() const;
  double TotalDelay() const;
  int DoEventsCount() const;

  std::vector<MessageBoxRecord> MessageBoxes() const;
  std::vector<FileDialogRecord> FileDialogs() const;
  std::vector<HelpRecord> HelpRequests() const;
  // Whether the desktop has a viewer that opens help files (it has, unless told).
  void SetHelpViewer(bool present);

 private:
  // Helpers below expect mutex_ to be held.
  static std::string Key(const std::string& form);
  void Fault(const std::string& text);
  MemoryForm* FindForm(const char* operation, const std::string& form);
  MemoryControl* FindControl(const char* operation, const std::string& form, int id);
  // Look-ups that record no fault; null when missing.
  const MemoryForm* PeekForm(const std::string& form) const;
  MemoryForm* PeekForm(const std::string& form);
  const MemoryControl* PeekControl(const std::string& form, int id) const;
  MemoryControl* PeekControl(const std::string& form, int id);
  // A control a user can reach: it exists, is visible and enabled.
  MemoryControl* Usable(const std::string& form, int id);
  void ForRange(const char* operation, const std::string& form, int firstId, int lastId,
                const std::function<void(MemoryControl&)>& change);
  // Removes a form and every form whose parent it is.
  void Unload(const std::string& key);

  // Sends one event without holding the lock; returns it as the callback left it.
  Event Deliver(Event event);
  std::string FormName(const std::string& form) const;
  std::string RecordFileDialog(FileDialogRecord record);

  mutable std::mutex mutex_;
  LayoutCallback layout_;
  EventCallback events_;
  std::function<void(const std::string&)> modalHook_;
  std::function<void(float)> delayHook_;
  std::function<void()> doEventsHook_;
  std::function<void()> dialogHook_;

  std::map<std::string, MemoryForm> forms_;  // by upper-case name
  WindowId nextHandle_ = 0x1000;
  std::map<int, std::array<int, 3>> colours_;
  std::map<int, MemoryFont> fonts_;
  std::map<std::string, int> pictureKeys_;
  std::vector<std::string> pictureNames_;  // key k names pictureNames_[k - 1]

  int keyEventsMode_ = 0;
  std::vector<float> delays_;
  int doEventsCount_ = 0;

  std::deque<int> answers_;
  std::deque<std::string> filePaths_;
  std::vector<MessageBoxRecord> messageBoxes_;
  std::vector<FileDialogRecord> fileDialogs_;
  std::vector<HelpRecord> helpRequests_;
  bool helpViewer_ = true;

  std::vector<Event> sentEvents_;
  std::vector<std::string> faults_;
};

}  // namespace quorbel::ui
