#include "tests/integration/x11/XvfbServer.h"

#include <stdexcept>

namespace quorbel::testing {
namespace {

// The descriptor on which Xvfb announces its display number once it is ready.
constexpr int kDisplayFd = 3;

}  // namespace

std::unique_ptr<XvfbServer> XvfbServer::Start() {
  if (!ProgramOnPath("Xvfb")) return nullptr;
  auto server = std::make_unique<ChildProcess>(
      std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(kDisplayFd), "-screen", "0",
                               "1280x1024x24", "-nolisten", "tcp", "-noreset"},
      kDisplayFd, true);
  auto number = server->ReadLine(std::chrono::seconds(20));
  if (!number || number->empty()) throw std::runtime_error("Xvfb did not start");
  return std::unique_ptr<XvfbServer>(new XvfbServer(std::move(server), ":" + *number));
}

XvfbServer::XvfbServer(std::unique_ptr<ChildProcess> server, std::string display)
    : server_(std::move(server)), display_(std::move(display)) {}

}  // namespace quorbel::testing
