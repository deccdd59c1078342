#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace quorbel {

// Serves the reports of the window in front that a helper inside the
// compositor sends over the session bus: on KDE Plasma a KWin script this
// listener loads into KWin (and unloads when the program ends), on GNOME the
// Shell extension the program installs, which reports by itself as soon as
// the program's bus name appears. The reports arrive on the thread of the Qt
// event loop.
class WindowReportListener {
 public:
  enum class Helper { KWinScript, ShellExtension };
  // Takes one report; returns why it was refused, empty when taken.
  using Take = std::function<std::string(std::string_view)>;
  using Complaint = std::function<void(const std::string&)>;

  // `kwinScript` is the script's file, for `Helper::KWinScript`.
  WindowReportListener(Helper helper, std::filesystem::path kwinScript, Take take,
                       Complaint complain);
  ~WindowReportListener();
  WindowReportListener(const WindowReportListener&) = delete;
  WindowReportListener& operator=(const WindowReportListener&) = delete;

  // Once the Qt application is there: takes the bus name, serves the
  // reports and, on KDE Plasma, starts the script. False with the reason in
  // `why` when the bus or KWin refuses.
  bool Listen(std::string& why);
  // Serves events until a report was taken or `limit` has passed; whether
  // one was.
  bool AwaitReport(std::chrono::milliseconds limit);

 private:
  struct Bus;
  std::unique_ptr<Bus> bus_;
};

}  // namespace quorbel
