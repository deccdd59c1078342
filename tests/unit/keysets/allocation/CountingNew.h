#pragma once

#include <cstddef>

namespace quorbel {

// How many times this program has called operator new, in any form.
std::size_t AllocationCount();

}  // namespace quorbel
