#include "tools/surface/SurfaceTool.h"

#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>

#include "tools/surface/HexText.h"

namespace quorbel::surfacetool {

namespace {

std::uint64_t NowMs() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void Say(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace

SurfaceTool::SurfaceTool(const ToolOptions& options, int inputDescriptor)
    : options_(options), inputDescriptor_(inputDescriptor), terminal_(options.dir, options.port) {}

bool SurfaceTool::Plug() {
  std::string error;
  if (!terminal_.Plug(error)) {
    Say("error: " + error);
    return false;
  }
  ++plugCount_;
  Say("ready com" + std::to_string(options_.port) + " " + terminal_.LinkPath() + " -> " +
      terminal_.DevicePath());
  return true;
}

bool SurfaceTool::Start() {
  const bool plugged = Plug();
  Changed();
  return plugged;
}

void SurfaceTool::Stop() {
  terminal_.Unplug();
  Changed();
}

int SurfaceTool::Run(int signalDescriptor) {
  if (!Start()) return 1;
  while (true) {
    std::array<pollfd, 3> waits{{{signalDescriptor, POLLIN, 0},
                                 {inputDescriptor_, POLLIN, 0},
                                 {terminal_.Descriptor(), POLLIN, 0}}};
    if (::poll(waits.data(), waits.size(), MillisecondsToNextDue()) < 0 && errno != EINTR) {
      return 1;
    }
    if (waits[0].revents != 0) break;
    if (waits[2].revents != 0) ReceiveFromEditor();
    SendDue();
    if (waits[1].revents != 0) {
      const Input input = ReadInput();
      if (input == Input::Quit || (input == Input::Ended && !options_.stay)) break;
    }
  }
  Stop();
  return 0;
}

int SurfaceTool::MillisecondsToNextDue() const {
  const auto due = simulator_.NextDue();
  if (!due) return -1;
  const std::uint64_t now = NowMs();
  return *due <= now ? 0 : static_cast<int>(*due - now);
}

SurfaceTool::Input SurfaceTool::ReadInput() {
  if (inputDescriptor_ < 0) return Input::Ended;
  std::array<char, 4096> chunk{};
  const ssize_t got = ::read(inputDescriptor_, chunk.data(), chunk.size());
  if (got > 0) {
    return TakeInput(std::string(chunk.data(), static_cast<std::size_t>(got))) ? Input::Open
                                                                               : Input::Quit;
  }
  if (got < 0 && errno == EINTR) return Input::Open;
  inputDescriptor_ = -1;
  return Input::Ended;
}

void SurfaceTool::Changed() const {
  if (changed_) changed_();
}

void SurfaceTool::ReceiveFromEditor() {
  std::array<std::uint8_t, 4096> bytes{};
  const std::size_t got = terminal_.Read(bytes.data(), bytes.size());
  const auto log = simulator_.Receive(std::span(bytes.data(), got), NowMs());
  // Answers go out before anything is reported, so a script that has seen a
  // request logged knows the answer, if any, is already on its way.
  SendDue();
  for (const auto& line : log) Say(line);
  Changed();
}

void SurfaceTool::SendDue() {
  bool controlsSent = false;
  for (const auto& outgoing : simulator_.TakeDue(NowMs())) {
    if (!terminal_.Write(outgoing.bytes)) {
      Say("error: the editor is not reading; dropped " + HexText(outgoing.bytes));
      continue;
    }
    if (!outgoing.isReply || simulator_.Logging()) Say("sent " + HexText(outgoing.bytes));
    if (!outgoing.isReply) {
      controls_.Sent(outgoing.bytes);
      controlsSent = true;
    }
  }
  if (controlsSent) Changed();
}

bool SurfaceTool::TakeInput(const std::string& chunk) {
  for (char c : chunk) {
    if (c != '\n') {
      inputLine_ += c;
      continue;
    }
    const ParsedLine parsed = ParseCommandLine(inputLine_);
    inputLine_.clear();
    if (!parsed.error.empty()) Say("error: " + parsed.error);
    if (parsed.command && !Execute(*parsed.command)) return false;
  }
  return true;
}

bool SurfaceTool::Execute(const Command& command) {
  if (std::holds_alternative<command::Quit>(command)) return false;
  if (std::holds_alternative<command::Help>(command)) {
    for (const auto& line : HelpLines()) Say(line);
  } else if (std::holds_alternative<command::ShowState>(command)) {
    for (const auto& line : simulator_.StateLines()) Say(line);
  } else if (const auto* answer = std::get_if<command::Answer>(&command)) {
    simulator_.SetAnswer(answer->mode, answer->delayMs);
    Say(simulator_.AnswerLine());
  } else if (const auto* log = std::get_if<command::Log>(&command)) {
    simulator_.SetLogging(log->on);
    Say(simulator_.LogLine());
  } else if (std::holds_alternative<command::Unplug>(command)) {
    if (!terminal_.Plugged()) {
      Say("error: already unplugged");
    } else {
      simulator_.DropQueued();
      terminal_.Unplug();
      Say("unplugged");
      Changed();
    }
  } else if (std::holds_alternative<command::Plug>(command)) {
    if (terminal_.Plugged()) {
      Say("error: already plugged in");
    } else {
      Plug();
      Changed();
    }
  } else if (!terminal_.Plugged()) {
    Say("error: unplugged; nothing sent");
  } else {
    simulator_.Send(BytesToSend(command), NowMs());
    SendDue();
  }
  return true;
}

}  // namespace quorbel::surfacetool
