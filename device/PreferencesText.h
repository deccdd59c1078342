#pragma once

#include <string>
#include <string_view>

#include "device/LinkSettings.h"

namespace quorbel {

inline constexpr std::string_view kPreferencesHeader = "[QUORBELU]";

// Reads a number from the start of a text: leading blanks are skipped, then a
// decimal number with an optional sign and fraction is read up to the first
// character that cannot continue it. The fraction is rounded to the nearest
// whole number, halves to the even neighbour. A text without a number gives 0.
long long ReadNumber(std::string_view text);

// Gives every word a capital first letter and small other letters (a word
// begins after any character that is not a letter), then removes leading and
// trailing blanks.
std::string NormaliseLine(std::string_view line);

// Takes the settings from the text of a preferences file. Nothing is taken
// unless the first line is exactly the header; after it, each "Com Port" and
// "Baud Rate" line with an accepted value sets its setting, later lines
// winning. A "Baud Rate" line with any other value gives 38400 while no rate
// is set. Lines may end in CR LF or LF.
void ParsePreferences(std::string_view text, LinkSettings& settings);

// The file as the program writes it: the header and both settings, each line
// ended by CR LF.
std::string PreferencesText(const LinkSettings& settings);

}  // namespace quorbel
