#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// The system's wide texts and the program's UTF-8. Bytes that are not UTF-8
// become U+FFFD, and unpaired surrogates likewise.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace quorbel
