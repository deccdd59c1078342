#include "device/Presence.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace quorbel {

namespace {

constexpr const char* kMainForm = "main";
constexpr int kKeysetList = 410;
constexpr const char* kOwnCaption = "QuorbelU";
constexpr const char* kSurfaceCaption = "Quorbel";
constexpr const char* kNotActive = " Not Active";
constexpr const char* kKeysetCaption = "Quorbel - ";

constexpr int kAttempts = 4;
constexpr std::size_t kReplyLength = 11;
constexpr std::chrono::milliseconds kReplyPoll{60};
constexpr std::uint32_t kReplyLimitMs = 100;

constexpr std::array<std::uint8_t, 5> kIdentityRequest = {0xF0, 0x7D, 0x25, 0x03, 0xF7};
constexpr std::array<std::uint8_t, 4> kIdentityReplyStart = {0xF0, 0x7D, 0x25, 0x03};

}  // namespace

void Presence::SetCaption(const std::string& caption) { toolkit_.SetText(kMainForm, 0, caption); }

bool Presence::AskIdentity() {
  port_.Write(kIdentityRequest);
  const std::uint32_t asked = clock_.TickMs();
  while (port_.BytesPending() < kReplyLength) {
    clock_.Sleep(kReplyPoll);
    if (clock_.TickMs() - asked > kReplyLimitMs) {
      // A reply too short to count must not make up a whole one together
      // with the next attempt's reply. A whole reply that came late stays:
      // the next attempt finds it.
      if (port_.BytesPending() < kReplyLength) port_.DiscardPending();
      return false;
    }
  }
  // The whole of what is waiting is the reply; only its start is checked.
  std::array<std::uint8_t, 256> chunk{};
  std::array<std::uint8_t, kIdentityReplyStart.size()> start{};
  std::size_t kept = 0;
  for (std::size_t left = port_.BytesPending(); left > 0;) {
    const std::size_t got = port_.Read(chunk.data(), std::min(left, chunk.size()));
    if (got == 0) break;
    const std::size_t take = std::min(got, start.size() - kept);
    std::copy_n(chunk.begin(), take, start.begin() + static_cast<std::ptrdiff_t>(kept));
    kept += take;
    left -= got;
  }
  return kept == start.size() && start == kIdentityReplyStart;
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
  const std::string caption = surfaceAnswers_
                                  ? kKeysetCaption + toolkit_.Text(kMainForm, kKeysetList)
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
