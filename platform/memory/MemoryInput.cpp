#include "platform/memory/MemoryInput.h"

#include <cstdio>

namespace quorbel {

namespace {

const char* ButtonName(MouseButton button) {
  switch (button) {
    case MouseButton::Left:
      return "left";
    case MouseButton::Right:
      return "right";
    case MouseButton::Middle:
      return "middle";
  }
  return "?";
}

// "U+" and at least four hexadecimal digits, as Unicode writes characters.
std::string CharacterName(char32_t character) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned int>(character));
  return name;
}

}  // namespace

void MemoryInput::KeyDown(int virtualKey) { Record("down " + std::to_string(virtualKey)); }

void MemoryInput::KeyUp(int virtualKey) { Record("up " + std::to_string(virtualKey)); }

void MemoryInput::CharacterDown(char32_t character) {
  Record("char down " + CharacterName(character));
}

void MemoryInput::CharacterUp(char32_t character) { Record("char up " + CharacterName(character)); }

void MemoryInput::Click(MouseButton button) { Record(std::string("click ") + ButtonName(button)); }

void MemoryInput::SetCursor(Point screen) {
  Record("cursor " + std::to_string(screen.x) + "," + std::to_string(screen.y));
}

Point MemoryInput::ClientToScreen(WindowId window, Point client) {
  std::lock_guard lock(mutex_);
  auto origin = origins_.find(window);
  if (origin == origins_.end()) return client;
  return Point{client.x + origin->second.x, client.y + origin->second.y};
}

void MemoryInput::SetClientOrigin(WindowId window, Point origin) {
  std::lock_guard lock(mutex_);
  origins_[window] = origin;
}

std::vector<std::string> MemoryInput::Events() const {
  std::lock_guard lock(mutex_);
  return events_;
}

void MemoryInput::Clear() {
  std::lock_guard lock(mutex_);
  events_.clear();
}

void MemoryInput::Record(std::string event) {
  std::lock_guard lock(mutex_);
  events_.push_back(std::move(event));
}

}  // namespace quorbel
