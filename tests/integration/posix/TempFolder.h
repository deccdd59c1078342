#pragma once

#include <string>

namespace quorbel::testing {

// A fresh folder under /tmp that becomes the working folder while it lives, so
// ports/comN links are found as the editor finds them; removed afterwards.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::string previous_;
};

}  // namespace quorbel::testing
