// Controls of the Qt toolkit: making them from what the program asks for, their
// state, their clicks and focus, and pictures.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>

#include "toolkit/PropertyLetters.h"
#include "toolkit/ToolkitTexts.h"
#include "toolkit/qt/CharGrid.h"
#include "toolkit/qt/QtToolkit.h"
#include "toolkit/qt/UpDownWidget.h"

namespace quorbel::ui {

namespace {

QLabel* MakeLabel(QWidget* parent, const std::string& text, const ControlLetters& letters) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setText(ToQt(text));
  Qt::Alignment horizontal = Qt::AlignLeft;
  if (letters.centred) horizontal = Qt::AlignHCenter;
  if (letters.rightAligned) horizontal = Qt::AlignRight;
  label->setAlignment(horizontal | Qt::AlignVCenter);
  // A text longer than its label goes on in the next line, if the label has one.
  label->setWordWrap(true);
  if (letters.sunken) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  return label;
}

QWidget* MakeTabs(QWidget* parent, const std::string& titles) {
  auto* tabs = new QTabWidget(parent);
  for (const std::string& title : SplitItems(titles)) tabs->addTab(new QWidget(tabs), ToQt(title));
  return tabs;
}

QStyle::StandardPixmap SystemIcon(char mark) {
  switch (mark) {
    case '!':
      return QStyle::SP_MessageBoxWarning;
    case 'x':
    case 'X':
      return QStyle::SP_MessageBoxCritical;
    case 'i':
    case 'I':
      return QStyle::SP_MessageBoxInformation;
    default:
      return QStyle::SP_MessageBoxQuestion;
  }
}

}  // namespace

void QtToolkit::AddControl(const std::string& form, const ControlDefinition& definition) {
  OnGui([&] {
    QtForm* f = FindForm(form);
    if (f == nullptr || f->controls.contains(definition.id)) return;
    QWidget* widget = MakeWidget(*f, definition);
    widget->setProperty(kControlIdProperty, definition.id);
    QtControl& control = f->controls[definition.id];
    control.kind = definition.kind;
    control.widget = widget;
    control.text = definition.text;

    widget->setFont(appearance_.Font(definition.font));
    Appearance::ApplyColours(*widget, appearance_.Colour(definition.textColour),
                             appearance_.Colour(definition.backColour));
    const QRect place = ToPixels(definition.place);
    widget->setGeometry(place);
    if (definition.kind == ControlKind::ComboBox) {
      // The height given includes the list that drops down.
      widget->resize(place.width(), widget->sizeHint().height());
    }
    if (definition.kind == ControlKind::Picture || definition.kind == ControlKind::Icon) {
      control.pictureSize = place.size();
      ShowPicture(control, pictures_.Key(definition.text));
    }
    const ControlLetters letters = ReadControlLetters(definition.letters);
    widget->setEnabled(!letters.disabled);
    widget->setVisible(!letters.hidden);
    // Where controls overlap, the one created earlier lies above.
    widget->lower();
  });
}

QWidget* QtToolkit::MakeWidget(QtForm& form, const ControlDefinition& definition) {
  QWidget* parent = form.window->Client();
  const QWidget* window = form.window;
  const int id = definition.id;
  auto click = [this, window, id] { DeliverFrom(window, id, kClick, 0); };
  auto changed = [this, window, id](int value) { DeliverFrom(window, id, kChanged, value); };
  const ControlLetters letters = ReadControlLetters(definition.letters);

  switch (definition.kind) {
    case ControlKind::Label:
    case ControlKind::Picture:
    case ControlKind::Icon: {
      QLabel* label =
          MakeLabel(parent, definition.kind == ControlKind::Label ? definition.text : "", letters);
      Listen(*label, id);
      return label;
    }
    case ControlKind::Text: {
      auto* edit = new QLineEdit(ToQt(definition.text), parent);
      QObject::connect(edit, &QLineEdit::textEdited, edit, [changed] { changed(0); });
      Listen(*edit, id);
      return edit;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(ToQt(definition.text), parent);
      button->setAutoDefault(false);
      QObject::connect(button, &QPushButton::clicked, button, click);
      return button;
    }
    case ControlKind::CheckBox:
    case ControlKind::Radio: {
      QAbstractButton* button = definition.kind == ControlKind::CheckBox
                                    ? static_cast<QAbstractButton*>(new QCheckBox(parent))
                                    : new QRadioButton(parent);
      button->setText(ToQt(definition.text));
      QObject::connect(button, &QAbstractButton::clicked, button, click);
      return button;
    }
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
    case ControlKind::ListView:
      return MakeListWidget(form, definition);
    case ControlKind::TabControl: {
      QWidget* tabs = MakeTabs(parent, definition.text);
      QObject::connect(static_cast<QTabWidget*>(tabs), &QTabWidget::currentChanged, tabs, changed);
      return tabs;
    }
    case ControlKind::UpDown:
      return new UpDownWidget(parent, changed);
    case ControlKind::VTrackBar: {
      auto* slider = new QSlider(Qt::Vertical, parent);
      // As on the classic track bar, the least value is at the top.
      slider->setInvertedAppearance(true);
      slider->setInvertedControls(true);
      slider->setTickPosition(QSlider::TicksBothSides);
      QObject::connect(slider, &QSlider::valueChanged, slider, changed);
      return slider;
    }
  }
  return new QWidget(parent);
}

void QtToolkit::Listen(QWidget& widget, int id) {
  widget.setProperty(kControlIdProperty, id);
  widget.installEventFilter(controlEvents_.get());
}

bool QtToolkit::OnControlEvent(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
  const bool focus = type == QEvent::FocusIn || type == QEvent::FocusOut;
  if (!press && !focus) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  QtForm* form = widget != nullptr ? FormOfWindow(widget->window()) : nullptr;
  if (form == nullptr) return false;
  const int id = widget->property(kControlIdProperty).toInt();
  auto control = form->controls.find(id);
  if (control == form->controls.end()) return false;
  if (press && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
      control->second.kind != ControlKind::Text) {
    Deliver(*form, id, kClick, 0);
  } else if (focus && control->second.kind == ControlKind::Text) {
    Deliver(*form, id, type == QEvent::FocusIn ? kGotFocus : kLostFocus, 0);
  }
  return false;
}

// --- State ------------------------------------------------------------------------

void QtToolkit::SetText(const std::string& form, int id, const std::string& text) {
  OnGui([&] {
    if (id == 0) {
      if (QtForm* f = FindForm(form)) f->window->setWindowTitle(ToQt(text));
      return;
    }
    QtControl* c = FindControl(form, id);
    if (c == nullptr) return;
    c->text = text;
    if (auto* label = qobject_cast<QLabel*>(c->widget); label && c->kind == ControlKind::Label) {
      label->setText(ToQt(text));
    } else if (auto* edit = qobject_cast<QLineEdit*>(c->widget)) {
      edit->setText(ToQt(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(c->widget)) {
      button->setText(ToQt(text));
    }
  });
}

std::string QtToolkit::Text(const std::string& form, int id) {
  return OnGui([&]() -> std::string {
    if (id == 0) {
      QtForm* f = FindForm(form);
      return f != nullptr ? FromQt(f->window->windowTitle()) : std::string();
    }
    QtControl* c = FindControl(form, id);
    if (c == nullptr) return {};
    if (auto* label = qobject_cast<QLabel*>(c->widget); label && c->kind == ControlKind::Label) {
      return FromQt(label->text());
    }
    if (auto* edit = qobject_cast<QLineEdit*>(c->widget)) return FromQt(edit->text());
    if (auto* button = qobject_cast<QAbstractButton*>(c->widget)) return FromQt(button->text());
    // A list box or drop-down list reads as its selected item.
    if (auto* combo = qobject_cast<QComboBox*>(c->widget); combo && combo->currentIndex() >= 0) {
      return FromQt(combo->currentText());
    }
    if (auto* list = qobject_cast<QListWidget*>(c->widget); list && list->currentItem()) {
      return FromQt(list->currentItem()->text());
    }
    return c->text;
  });
}

void QtToolkit::SetCheck(const std::string& form, int id, bool checked) {
  OnGui([&] {
    QtControl* c = FindControl(form, id);
    auto* button = c != nullptr ? qobject_cast<QAbstractButton*>(c->widget) : nullptr;
    if (button == nullptr) return;
    // An exclusive radio button would refuse to be unchecked.
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(exclusive && checked);
    button->setChecked(checked);
    button->setAutoExclusive(exclusive);
  });
}

bool QtToolkit::Checked(const std::string& form, int id) {
  return OnGui([&] {
    QtControl* c = FindControl(form, id);
    auto* button = c != nullptr ? qobject_cast<QAbstractButton*>(c->widget) : nullptr;
    return button != nullptr && button->isChecked();
  });
}

void QtToolkit::ForRange(const std::string& form, int firstId, int lastId,
                         void (*change)(QWidget&)) {
  OnGui([&] {
    QtForm* f = FindForm(form);
    if (f == nullptr || firstId > lastId) return;
    auto last = f->controls.upper_bound(lastId);
    for (auto it = f->controls.lower_bound(firstId); it != last; ++it) change(*it->second.widget);
  });
}

void QtToolkit::Show(const std::string& form, int firstId, int lastId) {
  // A control that appears is drawn over its neighbours, as the panel's
  // overlays need; a control that shows already stays where it lies.
  ForRange(form, firstId, lastId, [](QWidget& widget) {
    if (!widget.isHidden()) return;
    widget.show();
    widget.raise();
  });
}

void QtToolkit::Hide(const std::string& form, int firstId, int lastId) {
  ForRange(form, firstId, lastId, [](QWidget& widget) { widget.hide(); });
}

void QtToolkit::Enable(const std::string& form, int firstId, int lastId) {
  ForRange(form, firstId, lastId, [](QWidget& widget) { widget.setEnabled(true); });
}

void QtToolkit::Disable(const std::string& form, int firstId, int lastId) {
  ForRange(form, firstId, lastId, [](QWidget& widget) { widget.setEnabled(false); });
}

void QtToolkit::SetFocus(const std::string& form, int id) {
  OnGui([&] {
    QtForm* f = FindForm(form);
    if (f == nullptr) return;
    if (id == 0) {
      f->window->activateWindow();
      f->window->setFocus(Qt::OtherFocusReason);
    } else if (QtControl* c = FindControl(form, id)) {
      c->widget->setFocus(Qt::OtherFocusReason);
    }
  });
}

void QtToolkit::SetCaret(const std::string& form, int id, int position) {
  OnGui([&] {
    QtControl* c = FindControl(form, id);
    if (auto* box = c != nullptr ? qobject_cast<QLineEdit*>(c->widget) : nullptr) {
      box->setCursorPosition(position);
    }
  });
}

void QtToolkit::SetRange(const std::string& form, int id, int minimum, int maximum, int position) {
  OnGui([&] {
    QtControl* c = FindControl(form, id);
    if (c == nullptr) return;
    if (auto* slider = qobject_cast<QSlider*>(c->widget)) {
      const QSignalBlocker quiet(slider);
      slider->setRange(minimum, maximum);
      slider->setValue(position);
    } else if (auto* upDown = dynamic_cast<UpDownWidget*>(c->widget)) {
      upDown->SetRange(minimum, maximum, position);
    }
  });
}

int QtToolkit::Position(const std::string& form, int id) {
  return OnGui([&] {
    QtControl* c = FindControl(form, id);
    if (c == nullptr) return 0;
    if (auto* slider = qobject_cast<QSlider*>(c->widget)) return slider->value();
    if (auto* upDown = dynamic_cast<UpDownWidget*>(c->widget)) return upDown->Position();
    return 0;
  });
}

// --- Pictures ---------------------------------------------------------------------

int QtToolkit::LoadPicture(const std::string& imageName) {
  return OnGui([&] { return pictures_.Key(imageName); });
}

void QtToolkit::SetImage(const std::string& form, int id, int pictureKey) {
  OnGui([&] {
    QtControl* c = FindControl(form, id);
    if (c == nullptr || !pictures_.Known(pictureKey)) return;
    if (c->kind == ControlKind::Picture || c->kind == ControlKind::Icon) {
      ShowPicture(*c, pictureKey);
    }
  });
}

void QtToolkit::ShowPicture(QtControl& control, int key) {
  auto* label = static_cast<QLabel*>(control.widget);
  const QPixmap image =
      IconImage(pictures_.Name(key), control.pictureSize, label->devicePixelRatioF());
  label->setPixmap(image);
  // A picture takes the size of its image.
  label->resize(image.deviceIndependentSize().toSize());
}

QPixmap QtToolkit::IconImage(const std::string& name, QSize size, qreal devicePixelRatio) {
  // "#?Icon" and the like name the system's own message icons.
  if (name.size() >= 2 && name.front() == '#') {
    return QApplication::style()->standardIcon(SystemIcon(name[1])).pixmap(size, devicePixelRatio);
  }
  return pictures_.Image(pictures_.Key(name), size, devicePixelRatio);
}

}  // namespace quorbel::ui
