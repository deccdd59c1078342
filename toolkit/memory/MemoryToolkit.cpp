// Forms, geometry, colours and fonts, timers, waits and the bookkeeping the
// other parts of the in-memory toolkit share.
#include "toolkit/memory/MemoryToolkit.h"

#include <cctype>
#include <numeric>
#include <utility>

namespace quorbel::ui {

namespace {

// A 1920 by 1080 screen with 8 by 16 pixel characters.
constexpr double kCharWidth = 8;
constexpr double kCharHeight = 16;
constexpr double kScreenWidth = 1920;
constexpr double kScreenHeight = 1080;

}  // namespace

int MemoryToolkit::Run(const StartupCallback& startup, const LayoutCallback& layout,
                       const EventCallback& events) {
  SetCallbacks(layout, events);
  if (startup) startup();
  return 0;
}

void MemoryToolkit::SetCallbacks(const LayoutCallback& layout, const EventCallback& events) {
  std::lock_guard lock(mutex_);
  layout_ = layout;
  events_ = events;
}

void MemoryToolkit::SetModalHook(const std::function<void(const std::string&)>& hook) {
  std::lock_guard lock(mutex_);
  modalHook_ = hook;
}

void MemoryToolkit::SetDelayHook(const std::function<void(float)>& hook) {
  std::lock_guard lock(mutex_);
  delayHook_ = hook;
}

void MemoryToolkit::SetDoEventsHook(const std::function<void()>& hook) {
  std::lock_guard lock(mutex_);
  doEventsHook_ = hook;
}

// --- Forms ------------------------------------------------------------------

void MemoryToolkit::CreateForm(const std::string& name, const std::string& parent,
                               const std::string& caption, Rect place, const std::string& letters,
                               int textColour, int backColour) {
  LayoutCallback layout;
  std::function<void(const std::string&)> modalHook;
  {
    std::lock_guard lock(mutex_);
    if (forms_.contains(Key(name))) {
      Fault("CreateForm: form \"" + name + "\" exists already");
      return;
    }
    if (!parent.empty() && !forms_.contains(Key(parent))) {
      Fault("CreateForm: no parent form \"" + parent + "\" for \"" + name + "\"");
    }
    MemoryForm& form = forms_[Key(name)];
    form.name = name;
    form.parent = parent;
    form.caption = caption;
    form.place = place;
    form.letters = letters;
    form.textColour = textColour;
    form.backColour = backColour;
    form.handle = nextHandle_++;
    layout = layout_;
    if (letters.find('M') != std::string::npos) modalHook = modalHook_;
  }
  if (layout) layout(name);
  if (modalHook) modalHook(name);
}

void MemoryToolkit::UnloadForm(const std::string& form) {
  std::lock_guard lock(mutex_);
  if (FindForm("UnloadForm", form) != nullptr) Unload(Key(form));
}

void MemoryToolkit::Unload(const std::string& key) {
  std::vector<std::string> children;
  for (const auto& [childKey, child] : forms_) {
    if (!child.parent.empty() && Key(child.parent) == key) children.push_back(childKey);
  }
  forms_.erase(key);
  for (const std::string& child : children) Unload(child);
}

void MemoryToolkit::MinimizeForm(const std::string& form) {
  std::lock_guard lock(mutex_);
  if (MemoryForm* f = FindForm("MinimizeForm", form)) f->minimised = true;
}

void MemoryToolkit::SetFormIcon(const std::string& form, const std::string& iconName) {
  std::lock_guard lock(mutex_);
  if (MemoryForm* f = FindForm("SetFormIcon", form)) f->icon = iconName;
}

WindowId MemoryToolkit::Handle(const std::string& form) {
  std::lock_guard lock(mutex_);
  const MemoryForm* f = FindForm("Handle", form);
  return f != nullptr ? f->handle : 0;
}

Size MemoryToolkit::FormSize(const std::string& form) {
  std::lock_guard lock(mutex_);
  const MemoryForm* f = FindForm("FormSize", form);
  return f != nullptr ? Size{f->place.width, f->place.height} : Size{};
}

Rect MemoryToolkit::FormPlace(const std::string& form) {
  std::lock_guard lock(mutex_);
  const MemoryForm* f = FindForm("FormPlace", form);
  return f != nullptr ? f->place : Rect{};
}

Size MemoryToolkit::ScreenSize() {
  return Size{kScreenWidth / kCharWidth, kScreenHeight / kCharHeight};
}

Size MemoryToolkit::CharSize() { return Size{kCharWidth, kCharHeight}; }

void MemoryToolkit::DefineColour(int slot, int red, int green, int blue) {
  std::lock_guard lock(mutex_);
  colours_[slot] = {red, green, blue};
}

void MemoryToolkit::DefineFont(int slot, const std::string& face, double points,
                               const std::string& letters) {
  std::lock_guard lock(mutex_);
  fonts_[slot] = MemoryFont{face, points, letters};
}

// --- Timers, waits and keys ---------------------------------------------------

void MemoryToolkit::StartTimer(const std::string& form, int id, float seconds) {
  std::lock_guard lock(mutex_);
  if (MemoryForm* f = FindForm("StartTimer", form)) f->timers[id] = seconds;
}

void MemoryToolkit::StopTimer(const std::string& form, int id) {
  std::lock_guard lock(mutex_);
  if (MemoryForm* f = FindForm("StopTimer", form)) f->timers.erase(id);
}

void MemoryToolkit::Delay(float seconds) {
  std::function<void(float)> hook;
  {
    std::lock_guard lock(mutex_);
    delays_.push_back(seconds);
    hook = delayHook_;
  }
  if (hook) hook(seconds);
}

void MemoryToolkit::DoEvents() {
  std::function<void()> hook;
  {
    std::lock_guard lock(mutex_);
    ++doEventsCount_;
    hook = doEventsHook_;
  }
  if (hook) hook();
}

void MemoryToolkit::AllowKeyEvents(int mode) {
  std::lock_guard lock(mutex_);
  keyEventsMode_ = mode;
}

// --- Queries of forms and state -------------------------------------------------

std::vector<Event> MemoryToolkit::Events() const {
  std::lock_guard lock(mutex_);
  return sentEvents_;
}

void MemoryToolkit::ClearEvents() {
  std::lock_guard lock(mutex_);
  sentEvents_.clear();
}

std::vector<std::string> MemoryToolkit::Faults() const {
  std::lock_guard lock(mutex_);
  return faults_;
}

void MemoryToolkit::ClearFaults() {
  std::lock_guard lock(mutex_);
  faults_.clear();
}

bool MemoryToolkit::HasForm(const std::string& form) { return std::as_const(*this).HasForm(form); }

bool MemoryToolkit::HasForm(const std::string& form) const {
  std::lock_guard lock(mutex_);
  return PeekForm(form) != nullptr;
}

std::vector<std::string> MemoryToolkit::FormNames() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> names;
  for (const auto& entry : forms_) names.push_back(entry.second.name);
  return names;
}

std::optional<MemoryForm> MemoryToolkit::Form(const std::string& form) const {
  std::lock_guard lock(mutex_);
  const MemoryForm* f = PeekForm(form);
  return f != nullptr ? std::optional<MemoryForm>(*f) : std::nullopt;
}

std::string MemoryToolkit::Caption(const std::string& form) const {
  std::lock_guard lock(mutex_);
  const MemoryForm* f = PeekForm(form);
  return f != nullptr ? f->caption : std::string();
}

bool MemoryToolkit::Minimised(const std::string& form) const {
  std::lock_guard lock(mutex_);
  const MemoryForm* f = PeekForm(form);
  return f != nullptr && f->minimised;
}

std::string MemoryToolkit::FormIcon(const std::string& form) const {
  std::lock_guard lock(mutex_);
  const MemoryForm* f = PeekForm(form);
  return f != nullptr ? f->icon : std::string();
}

int MemoryToolkit::Focus(const std::string& form) const {
  std::lock_guard lock(mutex_);
  const MemoryForm* f = PeekForm(form);
  return f != nullptr ? f->focus : 0;
}

bool MemoryToolkit::TimerRunning(const std::string& form, int id) const {
  std::lock_guard lock(mutex_);
  const MemoryForm* f = PeekForm(form);
  return f != nullptr && f->timers.contains(id);
}

float MemoryToolkit::TimerInterval(const std::string& form, int id) const {
  std::lock_guard lock(mutex_);
  const MemoryForm* f = PeekForm(form);
  if (f == nullptr) return 0;
  auto timer = f->timers.find(id);
  return timer != f->timers.end() ? timer->second : 0;
}

std::optional<std::array<int, 3>> MemoryToolkit::Colour(int slot) const {
  std::lock_guard lock(mutex_);
  auto colour = colours_.find(slot);
  return colour != colours_.end() ? std::optional(colour->second) : std::nullopt;
}

std::optional<MemoryFont> MemoryToolkit::Font(int slot) const {
  std::lock_guard lock(mutex_);
  auto font = fonts_.find(slot);
  return font != fonts_.end() ? std::optional(font->second) : std::nullopt;
}

int MemoryToolkit::KeyEventsMode() const {
  std::lock_guard lock(mutex_);
  return keyEventsMode_;
}

std::vector<float> MemoryToolkit::Delays() const {
  std::lock_guard lock(mutex_);
  return delays_;
}

double MemoryToolkit::TotalDelay() const {
  std::lock_guard lock(mutex_);
  return std::accumulate(delays_.begin(), delays_.end(), 0.0);
}

int MemoryToolkit::DoEventsCount() const {
  std::lock_guard lock(mutex_);
  return doEventsCount_;
}

// --- Shared helpers (mutex_ held) ---------------------------------------------

std::string MemoryToolkit::Key(const std::string& form) {
  std::string key = form;
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

void MemoryToolkit::Fault(const std::string& text) { faults_.push_back(text); }

MemoryForm* MemoryToolkit::FindForm(const char* operation, const std::string& form) {
  auto found = forms_.find(Key(form));
  if (found != forms_.end()) return &found->second;
  Fault(std::string(operation) + ": no form \"" + form + "\"");
  return nullptr;
}

const MemoryForm* MemoryToolkit::PeekForm(const std::string& form) const {
  auto found = forms_.find(Key(form));
  return found != forms_.end() ? &found->second : nullptr;
}

MemoryForm* MemoryToolkit::PeekForm(const std::string& form) {
  return const_cast<MemoryForm*>(std::as_const(*this).PeekForm(form));
}

std::string MemoryToolkit::FormName(const std::string& form) const {
  const MemoryForm* f = PeekForm(form);
  return f != nullptr ? f->name : form;
}

}  // namespace quorbel::ui
