#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tools/surface/ProgramMessages.h"
#include "tools/surface/SurfaceState.h"

namespace quorbel::surfacetool {

// How the surface answers the identity request.
enum class AnswerMode {
  Normal,  // at once, with the full reply
  Silent,  // not at all
  Short,   // at once, one byte too short to count as a reply
  Late,    // with the full reply, after a delay
};

// Bytes for the program, sent once their time has come.
struct Outgoing {
  std::uint64_t dueMs = 0;
  std::vector<std::uint8_t> bytes;
  // An answer the surface gives by itself, as opposed to bytes it was told to send.
  bool isReply = false;
};

// The surface's side of the link without any I/O: takes in what the program
// sends, keeps the state, and queues what the surface sends back. Times are
// milliseconds of any steady clock.
class SurfaceSimulator {
 public:
  // The reply to the identity request, and the one that is a byte short.
  static std::vector<std::uint8_t> IdentityReply();
  static std::vector<std::uint8_t> ShortIdentityReply();

  // Bytes from the program. Returns one "recv ..." line per message while
  // logging is on, else nothing.
  std::vector<std::string> Receive(std::span<const std::uint8_t> bytes, std::uint64_t nowMs);

  // Queues bytes to go to the program now, behind anything already due.
  void Send(std::vector<std::uint8_t> bytes, std::uint64_t nowMs);
  // Removes and returns everything due by `nowMs`, in the order it is to be sent.
  std::vector<Outgoing> TakeDue(std::uint64_t nowMs);
  // When the earliest queued bytes fall due; nothing when the queue is empty.
  std::optional<std::uint64_t> NextDue() const;
  // Forgets everything queued, as when the cable is pulled.
  void DropQueued();

  void SetAnswer(AnswerMode mode, std::uint32_t delayMs);
  void SetLogging(bool on) { logging_ = on; }
  bool Logging() const { return logging_; }

  // The settings as lines for scripts: "answer late 200", "log on".
  std::string AnswerLine() const;
  std::string LogLine() const { return logging_ ? "log on" : "log off"; }

  const SurfaceState& State() const { return state_; }
  // The state as SurfaceState describes it, then "answer <mode>" and "log on|off",
  // ended by the line "end state".
  std::vector<std::string> StateLines() const;

 private:
  void Queue(Outgoing outgoing);
  void Answer(std::uint64_t nowMs);

  ProgramMessageReader reader_;
  SurfaceState state_;
  std::vector<Outgoing> queue_;
  AnswerMode answer_ = AnswerMode::Normal;
  std::uint32_t answerDelayMs_ = 0;
  bool logging_ = false;
};

}  // namespace quorbel::surfacetool
