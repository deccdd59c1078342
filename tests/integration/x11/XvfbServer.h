#pragma once

#include <memory>
#include <string>

#include "tests/integration/x11/ChildProcess.h"

namespace quorbel::testing {

// A virtual X server of its own on a free display number, stopped when the
// object goes away. It keeps running when its last client leaves.
class XvfbServer {
 public:
  // Null when Xvfb is not installed; throws when it is but does not start.
  static std::unique_ptr<XvfbServer> Start();

  // ":<number>", for XOpenDisplay and -display options.
  const std::string& display() const { return display_; }
  // Ends the server at once, as a crash or a closed session would.
  void Stop() { server_.reset(); }

 private:
  XvfbServer(std::unique_ptr<ChildProcess> server, std::string display);

  std::unique_ptr<ChildProcess> server_;
  std::string display_;
};

}  // namespace quorbel::testing
