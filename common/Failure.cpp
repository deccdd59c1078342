#include "common/Failure.h"

#include <cstdio>
#include <exception>

namespace quorbel {

bool RunGuarded(const char* what, const std::function<void()>& work) {
  try {
    work();
    return true;
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "QuorbelU: %s failed: %s\n", what, failure.what());
  } catch (...) {
    std::fprintf(stderr, "QuorbelU: %s failed\n", what);
  }
  return false;
}

}  // namespace quorbel
