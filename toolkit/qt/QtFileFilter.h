#pragma once

#include <string>

namespace quorbel::ui {

// A file filter "Programs|*.exe|All|*.*" (name and patterns, alternating)
// as Qt writes it: "Programs (*.exe);;All (*.*)". Several patterns of one
// name are separated by ";" in both.
std::string QtFileFilter(const std::string& filter);

}  // namespace quorbel::ui
