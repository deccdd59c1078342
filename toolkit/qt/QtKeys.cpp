// Keyboard of the Qt toolkit: accelerators first, then key events to the
// event callback, and the state of the keys.
#include <QGuiApplication>

#include "toolkit/qt/QtToolkit.h"
#include "toolkit/qt/VirtualKeys.h"

namespace quorbel::ui {

namespace {

constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;
constexpr char16_t kFirstPrintable = u' ';
constexpr char16_t kDeleteCharacter = u'\x7f';

// The character (Unicode) a key types; 0 for none or a control character.
char32_t Character(const QString& text) {
  const QList<uint> characters = text.toUcs4();
  if (characters.size() != 1) return 0;
  const char32_t character = characters.front();
  return character >= kFirstPrintable && character != kDeleteCharacter ? character : 0;
}

// The text box a widget belongs to, looking up through the widgets a control
// is made of; 0 (the form) for any other widget. Only text boxes take keys
// as their own: the program treats any event of a button or an up-down as
// its command, so a key typed there must not count as one.
int KeyTargetOf(const QWidget* widget, const QtForm& form) {
  for (; widget != nullptr && !widget->isWindow(); widget = widget->parentWidget()) {
    const QVariant id = widget->property(kControlIdProperty);
    if (!id.isValid()) continue;
    auto control = form.controls.find(id.toInt());
    return control != form.controls.end() && control->second.kind == ControlKind::Text
               ? control->first
               : 0;
  }
  return 0;
}

}  // namespace

bool QtToolkit::RouteKey(QObject* receiver, QKeyEvent* event) {
  // Key events reach the window object first and then the widget with the
  // focus; only the widget is looked at.
  auto* widget = qobject_cast<QWidget*>(receiver);
  if (widget == nullptr) return false;
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  const int key = VirtualKeyFor(event->key(), modifiers.testFlag(Qt::KeypadModifier));
  const bool press = event->type() == QEvent::KeyPress;
  if (key > 0 && key < static_cast<int>(keysDown_.size()) && !event->isAutoRepeat()) {
    keysDown_[static_cast<std::size_t>(key)] = press;
  }
  const QWidget* window = widget->window();
  QtForm* form = FormOfWindow(window);
  if (form == nullptr) return false;
  if (press && key != 0 && Accelerate(*form, key, modifiers)) return true;
  if (keyEventsMode_.load() == 0) return false;

  const int id = KeyTargetOf(widget, *form);
  // A key without a virtual-key code (a letter of another alphabet) still
  // types its character.
  if (key != 0) {
    if (!press) return Deliver(*form, id, kKeyUp, key).cancel;
    // F10, Alt and keys held with Alt are the system's keys: no character follows.
    if (key == vk::kF10 || key == vk::kAlt || modifiers.testFlag(Qt::AltModifier)) {
      return Deliver(*form, id, kSystemKey, key).cancel;
    }
    if (Deliver(*form, id, kKeyDown, key).cancel) return true;
  }
  const char32_t character = press ? Character(event->text()) : 0;
  if (character == 0) return false;
  form = FormOfWindow(window);  // the callback may have unloaded it
  return form != nullptr && Deliver(*form, id, kCharacter, static_cast<int>(character)).cancel;
}

void QtToolkit::AllowKeyEvents(int mode) { keyEventsMode_.store(mode); }

}  // namespace quorbel::ui
