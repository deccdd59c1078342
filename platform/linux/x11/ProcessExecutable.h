#pragma once

#include <string>

namespace quorbel {

// Full path of the program a process runs, read from /proc; empty when the
// process is gone or not ours to look at.
std::string ProcessExecutable(int processId);

}  // namespace quorbel
