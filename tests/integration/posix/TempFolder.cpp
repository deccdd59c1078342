#include "tests/integration/posix/TempFolder.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

namespace quorbel::testing {

TempFolder::TempFolder() : previous_(std::filesystem::current_path().string()) {
  std::string pattern = "/tmp/quorbel-serial-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
  std::filesystem::current_path(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace quorbel::testing
