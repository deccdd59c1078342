#pragma once

#include <QKeyEvent>
#include <QObject>
#include <QStringList>
#include <QWidget>
#include <array>
#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "toolkit/Toolkit.h"
#include "toolkit/qt/Appearance.h"
#include "toolkit/qt/GuiCalls.h"
#include "toolkit/qt/PanelImageSource.h"
#include "toolkit/qt/PictureStore.h"
#include "toolkit/qt/QtForm.h"

namespace quorbel::ui {

// The window toolkit on Qt Widgets. Forms are top-level windows addressed by
// name whatever the case; controls are widgets placed on the character grid
// of their form (see CharGrid.h).
//
// Every method may be called from any thread: a call from another thread
// runs on the GUI thread while the caller waits (GuiCalls), so the device
// thread can change pictures and click controls. Events reach the event
// callback on the GUI thread.
//
// Events: click (1) for buttons, check boxes, radio buttons, labels,
// pictures, icons, menu items, accelerators and timers; changed (6) for a
// user's choice in a list, a slider or up-down move and a user's edit of a
// text box; got and lost focus (3, 4) for text boxes, and for the form (ID 0)
// when its window is activated or deactivated; closed (0) for the close box.
// Programmatic changes send no event. Key events (30, 31, 32, 40) go to the
// text box that has the focus, else to the form, once AllowKeyEvents(non-zero)
// was called; accelerators come first and work always.
class QtToolkit : public Toolkit {
 public:
  // The toolkit belongs to the thread that constructs it, the GUI thread.
  // Without an image source, pictures are read with a FolderImageSource; the
  // program hands it the panel's drawn artwork (ui/art/DrawnImageSource.h).
  explicit QtToolkit(std::shared_ptr<const PanelImageSource> images = nullptr);
  ~QtToolkit() override;

  // Where pictures come from; images already shown stay until set again.
  void SetImageSource(std::shared_ptr<const PanelImageSource> images);
  // The blocking calls into the GUI thread, shared with QtUiRequests.
  GuiCalls& Calls() { return calls_; }
  // The callbacks Run() installs, for a caller that runs its own event loop.
  void SetCallbacks(const LayoutCallback& layout, const EventCallback& events);

  // Creates a QtApplication when there is no Qt application yet.
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
  Size CharSize() override;  // in device-independent pixels

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

  // On the GUI thread these serve events; on another thread Delay sleeps and
  // DoEvents does nothing.
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

  // --- For tests and the program's own glue (GUI thread) -----------------
  QWidget* FormWidget(const std::string& form) const;
  QWidget* ControlWidget(const std::string& form, int id) const;
  // The actions of the menu entries with this ID, in the order added.
  std::vector<QAction*> MenuActions(const std::string& form, int id) const;

 private:
  // Appends the items to a list box, drop-down list or list view.
  void AppendItems(const std::string& form, int id, const QStringList& items);
  // Runs `work` on the GUI thread and returns its result.
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

  static std::string Key(const std::string& form);
  QtForm* FindForm(const std::string& form) const;
  QtControl* FindControl(const std::string& form, int id) const;
  QtForm* FormOfWindow(const QWidget* window) const;
  void ForRange(const std::string& form, int firstId, int lastId, void (*change)(QWidget&));
  void Unload(const std::string& key);
  void DeleteWindows();

  // Sends one event to the callback; returns it as the callback left it.
  Event Deliver(const QtForm& form, int id, int code, int value);
  // The same for a signal of a widget whose form may be gone meanwhile.
  void DeliverFrom(const QWidget* window, int id, int code, int value);

  QWidget* MakeWidget(QtForm& form, const ControlDefinition& definition);
  QWidget* MakeListWidget(QtForm& form, const ControlDefinition& definition);
  void Listen(QWidget& widget, int id);
  bool OnControlEvent(QObject* watched, QEvent* event);
  void ShowPicture(QtControl& control, int key);
  QPixmap IconImage(const std::string& name, QSize size, qreal devicePixelRatio);
  QtMenuEntry* MenuEntry(QtForm& form, int id);
  QMenu* SubmenuOf(QtForm& form, int id);

  void AttachKeyRouter();
  bool RouteKey(QObject* receiver, QKeyEvent* event);
  bool Accelerate(QtForm& form, int virtualKey, Qt::KeyboardModifiers modifiers);
  QWidget* DialogParent(const std::string& form) const;

  GuiCalls calls_;
  LayoutCallback layout_;
  EventCallback events_;
  bool running_ = false;
  int argc_ = 1;
  char programName_[9] = "QuorbelU";
  char* argv_[2] = {programName_, nullptr};

  std::map<std::string, std::unique_ptr<QtForm>> forms_;  // by upper-case name
  std::unordered_map<const QWidget*, QtForm*> formOfWindow_;
  std::unique_ptr<QObject> controlEvents_;  // watches labels, pictures, text boxes
  Appearance appearance_;
  PictureStore pictures_;
  std::atomic<int> keyEventsMode_{0};
  std::array<bool, 256> keysDown_{};
};

}  // namespace quorbel::ui
