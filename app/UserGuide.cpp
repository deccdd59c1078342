#include "app/UserGuide.h"

#include <system_error>

namespace quorbel {

std::filesystem::path FindUserGuide(const std::filesystem::path& executable) {
  const std::filesystem::path guide =
      executable.parent_path().parent_path() / "share" / "doc" / "quorbelu" / "guide.html";
  std::error_code error;
  return std::filesystem::is_regular_file(guide, error) ? guide : std::filesystem::path();
}

}  // namespace quorbel
