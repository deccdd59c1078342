// What a user does to the in-memory toolkit's windows, turned into events.
#include <algorithm>

#include "common/CodePage437Text.h"
#include "toolkit/memory/MemoryToolkit.h"

namespace quorbel::ui {

namespace {

// Characters below the blank (backspace, return, escape) are not typed into a box.
constexpr int kFirstPrintable = 32;

}  // namespace

bool MemoryToolkit::Click(const std::string& form, int id) {
  std::string name;
  {
    std::lock_guard lock(mutex_);
    MemoryForm* f = PeekForm(form);
    if (f == nullptr) return false;
    name = f->name;
    if (f->controls.contains(id)) {
      MemoryControl* c = Usable(form, id);
      if (c == nullptr) return false;
      if (c->definition.kind == ControlKind::CheckBox) c->checked = !c->checked;
      if (c->definition.kind == ControlKind::Radio) c->checked = true;
    } else {
      auto item = std::find_if(f->menus.begin(), f->menus.end(),
                               [id](const MemoryMenuItem& entry) { return entry.id == id; });
      if (item != f->menus.end() && !item->IsEnabled()) return false;
    }
  }
  Deliver(Event{name, id, kClick, 0, false});
  return true;
}

bool MemoryToolkit::Pick(const std::string& form, int id, int index) {
  std::string name;
  {
    std::lock_guard lock(mutex_);
    MemoryControl* c = Usable(form, id);
    if (c == nullptr || !c->IsList() || index < 0 || index >= static_cast<int>(c->rows.size())) {
      return false;
    }
    c->selected = index;
    name = FormName(form);
  }
  Deliver(Event{name, id, kChanged, index, false});
  return true;
}

bool MemoryToolkit::SetPosition(const std::string& form, int id, int position) {
  std::string name;
  {
    std::lock_guard lock(mutex_);
    MemoryControl* c = Usable(form, id);
    if (c == nullptr || (c->definition.kind != ControlKind::UpDown &&
                         c->definition.kind != ControlKind::VTrackBar)) {
      return false;
    }
    if (c->minimum <= c->maximum) position = std::clamp(position, c->minimum, c->maximum);
    c->position = position;
    name = FormName(form);
  }
  Deliver(Event{name, id, kChanged, position, false});
  return true;
}

bool MemoryToolkit::EnterText(const std::string& form, int id, const std::string& text) {
  std::string name;
  {
    std::lock_guard lock(mutex_);
    MemoryControl* c = Usable(form, id);
    if (c == nullptr || c->definition.kind != ControlKind::Text) return false;
    c->text = text;
    name = FormName(form);
  }
  Deliver(Event{name, id, kChanged, 0, false});
  return true;
}

bool MemoryToolkit::Close(const std::string& form) {
  std::string name;
  {
    std::lock_guard lock(mutex_);
    if (PeekForm(form) == nullptr) return false;
    name = FormName(form);
  }
  const Event closed = Deliver(Event{name, 0, kFormClosed, 0, false});
  std::lock_guard lock(mutex_);
  if (!closed.cancel && PeekForm(form) != nullptr) Unload(Key(form));
  return PeekForm(form) == nullptr;
}

bool MemoryToolkit::KeyPress(const std::string& form, int id, int virtualKey, int character) {
  std::string name;
  bool keyEvents = false;
  {
    std::lock_guard lock(mutex_);
    if (PeekForm(form) == nullptr || (id != 0 && Usable(form, id) == nullptr)) return false;
    name = FormName(form);
    keyEvents = keyEventsMode_ != 0;
  }
  bool shown = character >= kFirstPrintable;
  if (keyEvents) {
    if (Deliver(Event{name, id, kKeyDown, virtualKey, false}).cancel) {
      shown = false;
    } else if (character != 0 && Deliver(Event{name, id, kCharacter, character, false}).cancel) {
      shown = false;
    }
  }
  if (shown) {
    std::lock_guard lock(mutex_);
    MemoryControl* box = PeekControl(form, id);
    if (box != nullptr && box->definition.kind == ControlKind::Text) {
      box->text += Utf8Text(static_cast<char32_t>(character));
    }
  }
  if (keyEvents) Deliver(Event{name, id, kKeyUp, virtualKey, false});
  return true;
}

bool MemoryToolkit::SystemKey(const std::string& form, int id, int virtualKey) {
  std::string name;
  {
    std::lock_guard lock(mutex_);
    if (PeekForm(form) == nullptr || (id != 0 && Usable(form, id) == nullptr)) return false;
    if (keyEventsMode_ == 0) return true;
    name = FormName(form);
  }
  Deliver(Event{name, id, kSystemKey, virtualKey, false});
  return true;
}

bool MemoryToolkit::FireTimer(const std::string& form, int id) {
  std::string name;
  {
    std::lock_guard lock(mutex_);
    const MemoryForm* f = PeekForm(form);
    if (f == nullptr || !f->timers.contains(id)) return false;
    name = f->name;
  }
  Deliver(Event{name, id, kClick, 0, false});
  return true;
}

Event MemoryToolkit::Send(const std::string& form, int id, int code, int value) {
  std::string name;
  {
    std::lock_guard lock(mutex_);
    name = FormName(form);
  }
  return Deliver(Event{name, id, code, value, false});
}

Event MemoryToolkit::Deliver(Event event) {
  EventCallback callback;
  {
    std::lock_guard lock(mutex_);
    sentEvents_.push_back(event);
    callback = events_;
  }
  if (callback) callback(event);
  return event;
}

}  // namespace quorbel::ui
