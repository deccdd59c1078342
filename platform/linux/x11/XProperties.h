#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <vector>

namespace quorbel::x11 {

// Longest property read, in 32-bit units: far beyond any title or window list
// a desktop has, and a bound on what a hostile client can make us copy.
inline constexpr long kMaxPropertyLength = 1 << 16;

// Reading window properties. A property that is missing, of another type or
// on a window that no longer exists reads as empty.

bool HasProperty(Display* display, Window window, Atom property);
// The first 32-bit item of a CARDINAL property.
std::optional<unsigned long> ReadCardinal(Display* display, Window window, Atom property);
// A WINDOW property: a list of windows (a single one for _NET_ACTIVE_WINDOW).
std::vector<Window> ReadWindows(Display* display, Window window, Atom property);
// A text property as UTF-8; UTF8_STRING is taken as it is, STRING as Latin-1,
// other encodings through Xlib's conversion.
std::string ReadText(Display* display, Window window, Atom property, Atom utf8String);
// The value of a text property, read by any means, as ReadText() gives it.
std::string TextOfValue(Display* display, Atom type, int format, const unsigned char* data,
                        unsigned long count, Atom utf8String);
// At most maxCharacters characters of a UTF-8 text, never cutting a character.
std::string CutToCharacters(const std::string& text, std::size_t maxCharacters);

}  // namespace quorbel::x11
