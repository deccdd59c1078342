#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorbel::testing {

// The lines another program writes down in a file as things happen to it:
// the simulated surface's output, the target program's record. Only whole
// lines count, so a line caught half written is read again when it is done.
class LineFile {
 public:
  static constexpr std::chrono::seconds kPatience{10};

  explicit LineFile(std::filesystem::path file) : file_(std::move(file)) {}

  const std::filesystem::path& path() const { return file_; }
  std::vector<std::string> Lines() const;
  std::size_t LineCount() const { return Lines().size(); }

  // The index of the first line from `from` on that starts with `prefix`;
  // -1 when none came within the time-out.
  long WaitForLine(std::size_t from, const std::string& prefix,
                   std::chrono::milliseconds timeout = kPatience) const;

  // The next line after those taken before that starts with one of
  // `prefixes`; the lines between are passed over. Nothing when none came
  // in time.
  std::optional<std::string> Next(const std::vector<std::string>& prefixes,
                                  std::chrono::milliseconds timeout = kPatience);
  // The lines after those taken before, through the first that starts with
  // `prefix`, which comes last; the lines so far when none came in time.
  std::vector<std::string> TakeThrough(const std::string& prefix,
                                       std::chrono::milliseconds timeout = kPatience);
  // Passes over every line written so far.
  void SkipAll() { taken_ = LineCount(); }

 private:
  std::filesystem::path file_;
  std::size_t taken_ = 0;
};

}  // namespace quorbel::testing
