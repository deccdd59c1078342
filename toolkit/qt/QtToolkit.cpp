// Running the program, forms, geometry, colours and fonts, and the look-ups
// the other parts of the Qt toolkit share.
#include "toolkit/qt/QtToolkit.h"

#include <QGuiApplication>
#include <QScreen>
#include <cctype>
#include <utility>

#include "toolkit/PropertyLetters.h"
#include "toolkit/qt/CharGrid.h"
#include "toolkit/qt/FolderImageSource.h"
#include "toolkit/qt/QtApplication.h"

namespace quorbel::ui {

namespace {

// Watches widgets for the toolkit: clicks on labels and pictures, focus of text boxes.
class ControlEvents : public QObject {
 public:
  explicit ControlEvents(std::function<bool(QObject*, QEvent*)> handler)
      : handler_(std::move(handler)) {}
  bool eventFilter(QObject* watched, QEvent* event) override { return handler_(watched, event); }

 private:
  std::function<bool(QObject*, QEvent*)> handler_;
};

}  // namespace

QtToolkit::QtToolkit(std::shared_ptr<const PanelImageSource> images)
    : controlEvents_(std::make_unique<ControlEvents>(
          [this](QObject* watched, QEvent* event) { return OnControlEvent(watched, event); })),
      pictures_(images ? std::move(images)
                       : std::make_shared<FolderImageSource>(FolderImageSource::DefaultFolders())) {
  AttachKeyRouter();
}

QtToolkit::~QtToolkit() {
  calls_.ServePending();  // while everything they may use is still here
  if (auto* app = dynamic_cast<QtApplication*>(QCoreApplication::instance())) {
    app->SetKeyRouter(nullptr);
  }
  DeleteWindows();
}

void QtToolkit::DeleteWindows() {
  // Forget the forms first: a window going away sends no more events.
  std::map<std::string, std::unique_ptr<QtForm>> forms = std::move(forms_);
  forms_.clear();
  formOfWindow_.clear();
  for (auto& [key, form] : forms) {
    if (form->modalLoop != nullptr) form->modalLoop->quit();
    // A form with a parent has its window inside the parent's window.
    if (form->parent.empty()) delete form->window;
  }
}

void QtToolkit::SetImageSource(std::shared_ptr<const PanelImageSource> images) {
  OnGui([&] { pictures_.SetSource(std::move(images)); });
}

void QtToolkit::SetCallbacks(const LayoutCallback& layout, const EventCallback& events) {
  OnGui([&] {
    layout_ = layout;
    events_ = events;
  });
}

int QtToolkit::Run(const StartupCallback& startup, const LayoutCallback& layout,
                   const EventCallback& events) {
  std::unique_ptr<QtApplication> application;
  if (QCoreApplication::instance() == nullptr) {
    application = std::make_unique<QtApplication>(argc_, argv_);
  }
  AttachKeyRouter();
  SetCallbacks(layout, events);
  if (startup) startup();
  int result = 0;
  if (!forms_.empty()) {
    running_ = true;
    result = QCoreApplication::exec();
    running_ = false;
  }
  // Windows must go before the application that made them.
  DeleteWindows();
  return result;
}

void QtToolkit::AttachKeyRouter() {
  if (auto* app = dynamic_cast<QtApplication*>(QCoreApplication::instance())) {
    app->SetKeyRouter(
        [this](QObject* receiver, QKeyEvent* event) { return RouteKey(receiver, event); });
  }
}

// --- Forms ------------------------------------------------------------------

void QtToolkit::CreateForm(const std::string& name, const std::string& parent,
                           const std::string& caption, Rect place, const std::string& letters,
                           int textColour, int backColour) {
  OnGui([&] {
    if (FindForm(name) != nullptr) return;
    QtForm* parentForm = parent.empty() ? nullptr : FindForm(parent);
    auto owned = std::make_unique<QtForm>();
    QtForm& form = *owned;
    form.name = name;
    form.parent = parentForm != nullptr ? parent : std::string();
    form.place = place;
    const std::string key = Key(name);
    form.window = new FormWindow(
        parentForm != nullptr ? parentForm->window : nullptr,
        [this, key] {
          QtForm* closing = FindForm(key);
          if (closing == nullptr) return true;
          const QWidget* window = closing->window;
          if (Deliver(*closing, 0, kFormClosed, 0).cancel) return false;
          if (QtForm* still = FindForm(key); still != nullptr && still->window == window) {
            Unload(key);
          }
          return true;
        },
        [this, key](bool active) {
          if (QtForm* f = FindForm(key)) Deliver(*f, 0, active ? kGotFocus : kLostFocus, 0);
        });
    form.window->setWindowTitle(ToQt(caption));
    const QRect pixels = ToPixels(place);
    form.window->Client()->setFixedSize(pixels.size());
    form.window->move(pixels.topLeft());
    Appearance::ApplyColours(*form.window->Client(), appearance_.Colour(textColour),
                             appearance_.Colour(backColour));
    formOfWindow_[form.window] = &form;
    forms_[key] = std::move(owned);
    AttachKeyRouter();

    if (layout_) layout_(name);
    QtForm* created = FindForm(key);
    if (created == nullptr || created->window != form.window) return;  // unloaded meanwhile
    const bool modal = ReadFormLetters(letters).modal;
    if (modal) {
      created->window->setWindowModality(parentForm != nullptr ? Qt::WindowModal
                                                               : Qt::ApplicationModal);
    }
    created->window->show();
    if (modal) {
      QEventLoop loop;
      created->modalLoop = &loop;
      loop.exec();
      // Unloading the form ends the loop; anything else leaves the form open.
      if (QtForm* still = FindForm(key); still != nullptr && still->modalLoop == &loop) {
        still->modalLoop = nullptr;
      }
    }
  });
}

void QtToolkit::UnloadForm(const std::string& form) {
  OnGui([&] {
    if (FindForm(form) != nullptr) Unload(Key(form));
  });
}

void QtToolkit::Unload(const std::string& key) {
  auto found = forms_.find(key);
  if (found == forms_.end()) return;
  std::vector<std::string> children;
  for (const auto& [childKey, child] : forms_) {
    if (!child->parent.empty() && Key(child->parent) == key) children.push_back(childKey);
  }
  for (const std::string& child : children) Unload(child);

  found = forms_.find(key);
  std::unique_ptr<QtForm> form = std::move(found->second);
  forms_.erase(found);
  formOfWindow_.erase(form->window);
  for (auto& [id, timer] : form->timers) timer->stop();
  if (form->modalLoop != nullptr) form->modalLoop->quit();
  // The window may be the sender of the event being handled: delete it later.
  form->window->hide();
  form->window->deleteLater();
  if (forms_.empty() && running_) QCoreApplication::exit(0);
}

void QtToolkit::MinimizeForm(const std::string& form) {
  OnGui([&] {
    if (QtForm* f = FindForm(form)) f->window->showMinimized();
  });
}

void QtToolkit::SetFormIcon(const std::string& form, const std::string& iconName) {
  OnGui([&] {
    QtForm* f = FindForm(form);
    if (f == nullptr) return;
    const QSize size(32, 32);
    f->window->setWindowIcon(QIcon(IconImage(iconName, size, f->window->devicePixelRatioF())));
  });
}

WindowId QtToolkit::Handle(const std::string& form) {
  return OnGui([&]() -> WindowId {
    QtForm* f = FindForm(form);
    return f != nullptr ? static_cast<WindowId>(f->window->winId()) : 0;
  });
}

Size QtToolkit::FormSize(const std::string& form) {
  return OnGui([&] {
    QtForm* f = FindForm(form);
    return f != nullptr ? Size{f->place.width, f->place.height} : Size{};
  });
}

Rect QtToolkit::FormPlace(const std::string& form) {
  return OnGui([&] {
    QtForm* f = FindForm(form);
    if (f == nullptr) return Rect{};
    // Where the window stands now, which the user may have moved it to.
    const QPoint corner = f->window->pos();
    return Rect{corner.x() / kColumnPixels, corner.y() / kRowPixels, f->place.width,
                f->place.height};
  });
}

Size QtToolkit::ScreenSize() {
  return OnGui([] {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return Size{};
    const QSize pixels = screen->geometry().size();
    return Size{pixels.width() / kColumnPixels, pixels.height() / kRowPixels};
  });
}

Size QtToolkit::CharSize() { return Size{kColumnPixels, kRowPixels}; }

void QtToolkit::DefineColour(int slot, int red, int green, int blue) {
  OnGui([&] { appearance_.DefineColour(slot, red, green, blue); });
}

void QtToolkit::DefineFont(int slot, const std::string& face, double points,
                           const std::string& letters) {
  OnGui([&] { appearance_.DefineFont(slot, face, points, letters); });
}

// --- For tests ----------------------------------------------------------------

QWidget* QtToolkit::FormWidget(const std::string& form) const {
  const QtForm* f = FindForm(form);
  return f != nullptr ? f->window : nullptr;
}

QWidget* QtToolkit::ControlWidget(const std::string& form, int id) const {
  const QtControl* c = FindControl(form, id);
  return c != nullptr ? c->widget : nullptr;
}

// --- Shared helpers (GUI thread) --------------------------------------------------

std::string QtToolkit::Key(const std::string& form) {
  std::string key = form;
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

QtForm* QtToolkit::FindForm(const std::string& form) const {
  auto found = forms_.find(Key(form));
  return found != forms_.end() ? found->second.get() : nullptr;
}

QtControl* QtToolkit::FindControl(const std::string& form, int id) const {
  QtForm* f = FindForm(form);
  if (f == nullptr) return nullptr;
  auto found = f->controls.find(id);
  return found != f->controls.end() ? &found->second : nullptr;
}

QtForm* QtToolkit::FormOfWindow(const QWidget* window) const {
  auto found = formOfWindow_.find(window);
  return found != formOfWindow_.end() ? found->second : nullptr;
}

Event QtToolkit::Deliver(const QtForm& form, int id, int code, int value) {
  Event event{form.name, id, code, value, false};
  if (events_) events_(event);
  return event;
}

void QtToolkit::DeliverFrom(const QWidget* window, int id, int code, int value) {
  if (const QtForm* form = FormOfWindow(window)) Deliver(*form, id, code, value);
}

}  // namespace quorbel::ui
