#include "platform/linux/x11/ProcessExecutable.h"

#include <unistd.h>

#include <array>

namespace quorbel {

std::string ProcessExecutable(int processId) {
  if (processId <= 0) return {};
  const std::string link = "/proc/" + std::to_string(processId) + "/exe";
  std::array<char, 4096> buffer{};
  ssize_t length = readlink(link.c_str(), buffer.data(), buffer.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) return {};
  std::string path(buffer.data(), static_cast<std::size_t>(length));
  // A program replaced or removed while it runs still names its old file.
  const std::string deleted = " (deleted)";
  if (path.size() > deleted.size() && path.ends_with(deleted)) {
    path.erase(path.size() - deleted.size());
  }
  return path;
}

}  // namespace quorbel
