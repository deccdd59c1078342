#include "platform/linux/wayland/WindowReport.h"

#include <cmath>

#include "platform/linux/wayland/JsonFields.h"

namespace quorbel::wayland {
namespace {

using nlohmann::json;

// A report is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kMaxReportBytes = 64 * 1024;
// Coordinates beyond this lie on no screen.
constexpr double kMaxCoordinate = 1 << 24;

// A number of the report rounded to the nearest pixel; nullopt when it is
// missing, not a number or off every screen.
std::optional<int> Coordinate(const json& object, const char* name) {
  const json* value = Field(object, name);
  if (value == nullptr || !value->is_number()) return std::nullopt;
  const double number = value->get<double>();
  if (!std::isfinite(number) || std::fabs(number) > kMaxCoordinate) return std::nullopt;
  return static_cast<int>(std::lround(number));
}

// A rectangle with a place and a size of at least one pixel each way.
std::optional<Rect> ReadRect(const json& object) {
  const auto x = Coordinate(object, "x");
  const auto y = Coordinate(object, "y");
  const auto width = Coordinate(object, "width");
  const auto height = Coordinate(object, "height");
  if (!x || !y || !width || !height || *width <= 0 || *height <= 0) return std::nullopt;
  return Rect{*x, *y, *width, *height};
}

}  // namespace

std::optional<WindowReport> ReadWindowReport(std::string_view text, std::string& why) {
  if (text.size() > kMaxReportBytes) {
    why = "a window report of " + std::to_string(text.size()) + " bytes";
    return std::nullopt;
  }
  const json report = json::parse(text, nullptr, false);
  if (!report.is_object()) {
    why = "a window report that is no JSON object";
    return std::nullopt;
  }
  const json* window = Field(report, "window");
  if (window != nullptr && window->is_null()) {
    WindowReport stopped;
    stopped.stopped = true;
    return stopped;
  }
  if (window == nullptr || !window->is_string()) {
    why = "a window report without the window's id";
    return std::nullopt;
  }
  WindowReport read;
  read.window = window->get<std::string>();
  if (const json* screen = Field(report, "screen")) read.screen = ReadRect(*screen);
  if (read.window.empty()) return read;

  if (const json* pid = Field(report, "pid"); pid != nullptr && !pid->is_null()) {
    const auto number = pid->is_number_integer() ? IntegerField(report, "pid") : std::nullopt;
    if (!number || *number < 0 || *number >= (1LL << 31)) {
      why = "a window report with the process id " + pid->dump();
      return std::nullopt;
    }
    read.processId = static_cast<int>(*number);
  }
  const auto frame = ReadRect(report);
  if (!frame) {
    why = "a window report without a place and size of the window";
    return std::nullopt;
  }
  read.frame = *frame;
  read.title = TextField(report, "title");
  read.windowClass = TextField(report, "class");
  return read;
}

}  // namespace quorbel::wayland
