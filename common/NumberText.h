#pragma once

#include <string>

namespace quorbel {

// A number as the program writes it into texts: decimal, with one leading
// blank when it is not negative and a leading "-" when it is.
std::string NumberText(long long n);

// The same without the leading blank.
std::string TrimmedNumberText(long long n);

}  // namespace quorbel
