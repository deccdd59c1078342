#include "platform/memory/MemoryLines.h"

#include <algorithm>

namespace quorbel {

MemoryLines& MemoryLines::Instance() {
  static MemoryLines lines;
  return lines;
}

PortHandle MemoryLines::Open() {
  std::lock_guard lock(mutex_);
  const PortHandle line = next_++;
  lines_.emplace(line, Line{});
  return line;
}

void MemoryLines::Close(PortHandle line) {
  {
    std::lock_guard lock(mutex_);
    lines_.erase(line);
  }
  changed_.notify_all();
}

bool MemoryLines::Send(PortHandle line, std::span<const std::uint8_t> bytes) {
  {
    std::lock_guard lock(mutex_);
    const auto found = lines_.find(line);
    if (found == lines_.end() || found->second.hungUp) return false;
    found->second.bytes.insert(found->second.bytes.end(), bytes.begin(), bytes.end());
  }
  changed_.notify_all();
  return true;
}

void MemoryLines::HangUp(PortHandle line) {
  {
    std::lock_guard lock(mutex_);
    const auto found = lines_.find(line);
    if (found != lines_.end()) found->second.hungUp = true;
  }
  changed_.notify_all();
}

bool MemoryLines::HungUp(PortHandle line) const {
  std::lock_guard lock(mutex_);
  const auto found = lines_.find(line);
  return found != lines_.end() && found->second.hungUp;
}

std::size_t MemoryLines::Pending(PortHandle line) const {
  std::lock_guard lock(mutex_);
  const auto found = lines_.find(line);
  return found == lines_.end() ? 0 : found->second.bytes.size();
}

std::size_t MemoryLines::Receive(PortHandle line, std::uint8_t* buffer, std::size_t count) {
  std::lock_guard lock(mutex_);
  const auto found = lines_.find(line);
  if (found == lines_.end()) return 0;
  std::deque<std::uint8_t>& bytes = found->second.bytes;
  const std::size_t taken = std::min(count, bytes.size());
  if (buffer != nullptr) std::copy_n(bytes.begin(), taken, buffer);
  bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(taken));
  return taken;
}

std::optional<PortWait> MemoryLines::Watch(PortHandle line, bool& woken, bool block) {
  std::unique_lock lock(mutex_);
  std::optional<PortWait> seen;
  const auto look = [&] { return (seen = LookLocked(line, woken)).has_value(); };
  if (block) {
    changed_.wait(lock, look);
  } else {
    look();
  }
  return seen;
}

void MemoryLines::Wake(bool& woken) {
  {
    std::lock_guard lock(mutex_);
    woken = true;
  }
  changed_.notify_all();
}

std::optional<PortWait> MemoryLines::LookLocked(PortHandle line, bool& woken) const {
  if (woken) {
    woken = false;
    return PortWait::Woken;
  }
  if (line == kNoPortHandle) return std::nullopt;
  const auto found = lines_.find(line);
  if (found == lines_.end()) return PortWait::HungUp;
  if (!found->second.bytes.empty() || found->second.hungUp) return PortWait::Readable;
  return std::nullopt;
}

}  // namespace quorbel
