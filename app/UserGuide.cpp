#include "app/UserGuide.h"

#include <array>
#include <system_error>

namespace quorbel {

std::filesystem::path FindUserGuide(const std::filesystem::path& executable) {
  const std::filesystem::path folder = executable.parent_path();
  const std::array places{folder.parent_path() / "share" / "doc" / "quorbelu" / "guide.html",
                          folder / "doc" / "guide.html"};
  for (const std::filesystem::path& guide : places) {
    std::error_code error;
    if (std::filesystem::is_regular_file(guide, error)) return guide;
  }
  return {};
}

}  // namespace quorbel
