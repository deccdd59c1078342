#include "device/Presence.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "device/SurfaceMessages.h"
#include "toolkit/FormName.h"

namespace quorbel {

namespace {

using ui::kMainForm;
constexpr const char* kOwnCaption = "QuorbelU";
constexpr const char* kSurfaceCaption = "Quorbel";
constexpr const char* kNotActive = " Not Active";
constexpr const char* kKeysetCaption = "Quorbel - ";

constexpr int kAttempts = 4;
constexpr std::size_t kReplyLength = 11;
// An attempt waits up to 120 ms for the reply, looking for it every 4 ms: a
// surface that is there answers within a few, and the device thread, held
// still meanwhile, goes back to the presses as soon as it has.
constexpr std::chrono::milliseconds kReplyLook{4};
constexpr std::chrono::milliseconds kReplyWindow{120};

}  // namespace

void Presence::SetCaption(const std::string& caption) { toolkit_.SetText(kMainForm, 0, caption); }

bool Presence::AskIdentity() {
  port_.Write(kIdentityRequestMessage);
  // Counted in sleeps, which last at least as long as asked: the wait is
  // never shorter than its window, as a millisecond tick could make it.
  std::chrono::milliseconds waited{0};
  while (port_.BytesPending() < kReplyLength) {
    if (waited >= kReplyWindow) {
      // A reply too short to count must not make up a whole one together
      // with the next attempt's reply.
      TakeReply();
      return false;
    }
    const auto look = std::min(kReplyLook, kReplyWindow - waited);
    clock_.Sleep(look);
    waited += look;
  }
  // Only the reply's start is checked, and that it is whole.
  const std::vector<std::uint8_t> reply = TakeReply();
  return reply.size() >= kReplyLength &&
         std::equal(kIdentityReplyStart.begin(), kIdentityReplyStart.end(), reply.begin());
}

std::vector<std::uint8_t> Presence::TakeReply() {
  std::vector<std::uint8_t> pending(port_.BytesPending());
  std::size_t read = 0;
  while (read < pending.size()) {
    const std::size_t got = port_.Read(pending.data() + read, pending.size() - read);
    if (got == 0) break;
    read += got;
  }
  pending.resize(read);
  // The reply runs from its start byte to its end byte, or up to the next
  // byte that starts a message (data bytes are below 0x80). What the surface
  // sent around it, a key pressed just then, belongs to the device thread.
  const auto start = std::find(pending.begin(), pending.end(), kSystemExclusiveStart);
  auto end = start == pending.end()
                 ? start
                 : std::find_if(start + 1, pending.end(), [](std::uint8_t b) { return b >= 0x80; });
  if (end != pending.end() && *end == kSystemExclusiveEnd) ++end;
  std::vector<std::uint8_t> others(pending.begin(), start);
  others.insert(others.end(), end, pending.end());
  if (!others.empty()) runner_.GiveBack(others);
  return std::vector<std::uint8_t>(start, end);
}

void Presence::Probe(ProbeMode mode) {
  if (!port_.IsOpen() || !IsCommPort(settings_.CommPort)) return;
  const bool answeredBefore = surfaceAnswers_;

  if (mode == ProbeMode::Discarding) {
    port_.DiscardPending();
  } else if (port_.BytesPending() > 0) {
    SetCaption(kOwnCaption);
    surfaceAnswers_ = true;
    output_.InitialiseSurface();
    return;
  }

  surfaceAnswers_ = false;
  runner_.Hold();
  for (int attempt = 0; attempt < kAttempts && !surfaceAnswers_; ++attempt) {
    surfaceAnswers_ = AskIdentity();
  }
  const std::string caption = surfaceAnswers_ ? kKeysetCaption + listed_.SelectedName()
                                              : std::string(kSurfaceCaption) + kNotActive;
  runner_.LetGo();
  SetCaption(caption);

  if (surfaceAnswers_ && !answeredBefore) output_.InitialiseSurface();
}

void Presence::ShowNotActive() {
  surfaceAnswers_ = false;
  SetCaption(std::string(kSurfaceCaption) + kNotActive);
}

}  // namespace quorbel
