#include "tests/windows/e2e/LineFile.h"

#include <fstream>
#include <iterator>
#include <thread>

namespace quorbel::testing {

namespace {

using Steady = std::chrono::steady_clock;

bool StartsWithAny(const std::string& line, const std::vector<std::string>& prefixes) {
  for (const std::string& prefix : prefixes) {
    if (line.starts_with(prefix)) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string> LineFile::Lines() const {
  std::ifstream in(file_, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

long LineFile::WaitForLine(std::size_t from, const std::string& prefix,
                           std::chrono::milliseconds timeout) const {
  const auto deadline = Steady::now() + timeout;
  for (;;) {
    const std::vector<std::string> lines = Lines();
    for (std::size_t i = from; i < lines.size(); ++i) {
      if (lines[i].starts_with(prefix)) return static_cast<long>(i);
    }
    if (Steady::now() > deadline) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

std::optional<std::string> LineFile::Next(const std::vector<std::string>& prefixes,
                                          std::chrono::milliseconds timeout) {
  const auto deadline = Steady::now() + timeout;
  for (;;) {
    const std::vector<std::string> lines = Lines();
    for (; taken_ < lines.size(); ++taken_) {
      if (StartsWithAny(lines[taken_], prefixes)) return lines[taken_++];
    }
    if (Steady::now() > deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

std::vector<std::string> LineFile::TakeThrough(const std::string& prefix,
                                               std::chrono::milliseconds timeout) {
  const std::size_t from = taken_;
  const long found = WaitForLine(from, prefix, timeout);
  std::vector<std::string> lines = Lines();
  taken_ = found < 0 ? lines.size() : static_cast<std::size_t>(found) + 1;
  lines.resize(taken_);
  lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(from));
  return lines;
}

}  // namespace quorbel::testing
