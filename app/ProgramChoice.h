#pragma once

#include <string>

namespace quorbel {

// Where New Keyset starts looking for a program, and which files it offers.
struct ProgramChoice {
  std::string folder = "/usr/bin";  // programs live here on Linux; they need no extension
  std::string filter = "Programs|*";
};

}  // namespace quorbel
