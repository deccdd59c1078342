#include "device/PreferencesText.h"

#include "common/NumberText.h"

namespace quorbel {

namespace {

constexpr std::string_view kCommPortKey = "Com Port";
constexpr std::string_view kBaudRateKey = "Baud Rate";
// Digits beyond this cannot make an accepted value; stopping the count here
// keeps any run of digits from overflowing.
constexpr long long kNumberCeiling = 1'000'000'000'000LL;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char ToUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

char ToLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The value part of a line: the text after the key and the one character that
// follows it, whatever that character is.
std::string_view ValueAfter(std::string_view line, std::string_view key) {
  const std::size_t start = key.size() + 1;
  return line.size() > start ? line.substr(start) : std::string_view{};
}

void HandleLine(std::string_view rawLine, LinkSettings& settings) {
  const std::string line = NormaliseLine(rawLine);
  const std::string_view view = line;
  if (view.starts_with(kCommPortKey)) {
    const long long port = ReadNumber(ValueAfter(view, kCommPortKey));
    if (IsCommPort(port)) settings.CommPort = static_cast<int>(port);
  } else if (view.starts_with(kBaudRateKey)) {
    const long long rate = ReadNumber(ValueAfter(view, kBaudRateKey));
    if (IsBaudRate(rate)) {
      settings.BaudRate = static_cast<int>(rate);
    } else if (settings.BaudRate == 0) {
      settings.BaudRate = kDefaultBaudRate;
    }
  }
}

// Takes the next line off the front of `text`, without its line end.
std::string_view NextLine(std::string_view& text) {
  const std::size_t end = text.find('\n');
  std::string_view line = text.substr(0, end);
  text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

}  // namespace

long long ReadNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  bool anyDigit = false;
  long long whole = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    anyDigit = true;
    if (whole < kNumberCeiling) whole = whole * 10 + (text[i] - '0');
  }
  // Only the first digit of the fraction and whether any later digit is not
  // zero matter for rounding.
  int firstFraction = 0;
  bool restNonZero = false;
  if (i < text.size() && text[i] == '.') {
    ++i;
    for (bool first = true; i < text.size() && IsDigit(text[i]); ++i, first = false) {
      anyDigit = true;
      if (first) {
        firstFraction = text[i] - '0';
      } else if (text[i] != '0') {
        restNonZero = true;
      }
    }
  }
  if (!anyDigit) return 0;
  const bool roundUp = firstFraction > 5 || (firstFraction == 5 && (restNonZero || whole % 2 == 1));
  if (roundUp) ++whole;
  return negative ? -whole : whole;
}

std::string NormaliseLine(std::string_view line) {
  std::string out(line);
  bool inWord = false;
  for (char& c : out) {
    if (IsLetter(c)) {
      c = inWord ? ToLower(c) : ToUpper(c);
      inWord = true;
    } else {
      inWord = false;
    }
  }
  const std::size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const std::size_t last = out.find_last_not_of(' ');
  return out.substr(first, last - first + 1);
}

void ParsePreferences(std::string_view text, LinkSettings& settings) {
  if (NextLine(text) != kPreferencesHeader) return;
  while (!text.empty()) HandleLine(NextLine(text), settings);
}

std::string PreferencesText(const LinkSettings& settings) {
  std::string text(kPreferencesHeader);
  text += "\r\nCom Port=" + TrimmedNumberText(settings.CommPort);
  text += "\r\nBaud Rate=" + TrimmedNumberText(settings.BaudRate);
  text += "\r\n";
  return text;
}

}  // namespace quorbel
