#include "tools/surface/SurfaceSimulator.h"

#include <algorithm>

#include "tools/surface/HexText.h"

namespace quorbel::surfacetool {

std::vector<std::uint8_t> SurfaceSimulator::IdentityReply() {
  // Identity reply header, then family, model, two version bytes and two
  // spare bytes, closed like every exclusive message.
  return {0xF0, 0x7D, 0x25, 0x03, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0xF7};
}

std::vector<std::uint8_t> SurfaceSimulator::ShortIdentityReply() {
  std::vector<std::uint8_t> reply = IdentityReply();
  reply.erase(reply.end() - 2);
  return reply;
}

std::vector<std::string> SurfaceSimulator::Receive(std::span<const std::uint8_t> bytes,
                                                   std::uint64_t nowMs) {
  std::vector<std::string> log;
  for (const auto& message : reader_.Feed(bytes)) {
    if (logging_) log.push_back("recv " + HexText(message));
    if (state_.Apply(message) == ProgramMessage::IdentityRequest) Answer(nowMs);
  }
  return log;
}

void SurfaceSimulator::Answer(std::uint64_t nowMs) {
  switch (answer_) {
    case AnswerMode::Normal:
      Queue({nowMs, IdentityReply(), true});
      break;
    case AnswerMode::Short:
      Queue({nowMs, ShortIdentityReply(), true});
      break;
    case AnswerMode::Late:
      Queue({nowMs + answerDelayMs_, IdentityReply(), true});
      break;
    case AnswerMode::Silent:
      break;
  }
}

void SurfaceSimulator::Send(std::vector<std::uint8_t> bytes, std::uint64_t nowMs) {
  Queue({nowMs, std::move(bytes), false});
}

void SurfaceSimulator::Queue(Outgoing outgoing) {
  // Sorted by due time; among equal times, first queued goes first.
  const auto at = std::ranges::upper_bound(queue_, outgoing.dueMs, {}, &Outgoing::dueMs);
  queue_.insert(at, std::move(outgoing));
}

std::vector<Outgoing> SurfaceSimulator::TakeDue(std::uint64_t nowMs) {
  const auto end = std::ranges::upper_bound(queue_, nowMs, {}, &Outgoing::dueMs);
  std::vector<Outgoing> due(std::make_move_iterator(queue_.begin()), std::make_move_iterator(end));
  queue_.erase(queue_.begin(), end);
  return due;
}

std::optional<std::uint64_t> SurfaceSimulator::NextDue() const {
  if (queue_.empty()) return std::nullopt;
  return queue_.front().dueMs;
}

void SurfaceSimulator::DropQueued() { queue_.clear(); }

void SurfaceSimulator::SetAnswer(AnswerMode mode, std::uint32_t delayMs) {
  answer_ = mode;
  answerDelayMs_ = mode == AnswerMode::Late ? delayMs : 0;
}

std::string SurfaceSimulator::AnswerLine() const {
  switch (answer_) {
    case AnswerMode::Silent:
      return "answer silent";
    case AnswerMode::Short:
      return "answer short";
    case AnswerMode::Late:
      return "answer late " + std::to_string(answerDelayMs_);
    case AnswerMode::Normal:
      break;
  }
  return "answer normal";
}

std::vector<std::string> SurfaceSimulator::StateLines() const {
  std::vector<std::string> lines = state_.Describe();
  lines.push_back(AnswerLine());
  lines.push_back(LogLine());
  lines.emplace_back("end state");
  return lines;
}

}  // namespace quorbel::surfacetool
