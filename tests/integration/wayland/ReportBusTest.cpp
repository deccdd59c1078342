// The window reports on a session bus of the test's own: sent as the helpers
// send them (dbus-send), by the KWin script and the GNOME Shell extension
// themselves (run under node with stand-ins for KWin's workspace and the
// Shell's display), and the KWin script loaded into a stand-in KWin on the bus.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QEventLoop>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/linux/dbus/ReportBus.h"
#include "platform/linux/dbus/WindowReportListener.h"
#include "platform/linux/wayland/ReportedDesktop.h"

extern char** environ;

namespace quorbel {
namespace {

using namespace std::chrono_literals;
using Helper = WindowReportListener::Helper;

constexpr WindowId kOwnWindow = 0x5000;

// A dbus-daemon of the test's own, the session bus of this process.
class PrivateBus : public ::testing::Environment {
 public:
  void SetUp() override {
    char folder[] = "/tmp/quorbel-bus-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    folder_ = folder;
    int ends[2];
    ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], 1);
    const std::string address = "--address=unix:path=" + folder_ + "/bus";
    const char* argv[] = {"dbus-daemon",       "--session",     "--nofork",
                          "--print-address=1", address.c_str(), nullptr};
    const int spawned = ::posix_spawnp(&daemon_, "dbus-daemon", &actions, nullptr,
                                       const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    ASSERT_EQ(spawned, 0) << "dbus-daemon cannot be started";
    // Its address, once it listens.
    std::string line;
    pollfd ready{ends[0], POLLIN, 0};
    char c = 0;
    while (line.find('\n') == std::string::npos && ::poll(&ready, 1, 10000) == 1 &&
           ::read(ends[0], &c, 1) == 1) {
      line += c;
    }
    ::close(ends[0]);
    ASSERT_NE(line.find('\n'), std::string::npos) << "dbus-daemon gave no address";
    line.pop_back();
    ::setenv("DBUS_SESSION_BUS_ADDRESS", line.c_str(), 1);
    address_ = QString::fromStdString(line);
    static int argc = 1;
    static char name[] = "wayland_reports";
    static char* args[] = {name, nullptr};
    application_ = std::make_unique<QCoreApplication>(argc, args);
  }

  void TearDown() override {
    application_.reset();
    if (daemon_ > 0) {
      ::kill(daemon_, SIGTERM);
      ::waitpid(daemon_, nullptr, 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  static QString Address() { return address_; }

 private:
  static inline QString address_;
  std::string folder_;
  pid_t daemon_ = 0;
  std::unique_ptr<QCoreApplication> application_;
};

struct Ran {
  int exitCode = -1;
  std::string errors;
};

// Runs a program to its end (30 s at most) while this process serves the
// bus: the program's calls wait for our answers.
Ran RunToEnd(const QString& program, const QStringList& arguments) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QUORBEL_OWN_PID", QString::number(::getpid()));
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  if (!process.waitForStarted(10000)) return Ran{-1, "cannot start " + program.toStdString()};
  QEventLoop loop;
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&process, &QProcess::finished, &loop, [&loop] { loop.quit(); });
  QObject::connect(&deadline, &QTimer::timeout, &loop, [&loop] { loop.quit(); });
  deadline.start(30000);
  loop.exec();
  if (process.state() != QProcess::NotRunning) {
    process.kill();
    process.waitForFinished(5000);
    return Ran{-1, program.toStdString() + " did not end"};
  }
  return Ran{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
             process.readAllStandardError().toStdString()};
}

Ran Send(const QString& argument) {
  return RunToEnd(
      "dbus-send",
      {"--session", "--print-reply", QString("--dest=") + dbus::kReportService, dbus::kReportPath,
       QString(dbus::kReportInterface) + "." + dbus::kReportMethod, argument});
}

// The desktop, the listener feeding it, and what was seen after each report.
struct Receiver {
  struct Seen {
    std::string refused;
    bool tells = false;
    WindowId front = 0;
    int processId = 0;
    Point origin;  // where the front window's client point (0, 0) lies
  };

  explicit Receiver(Helper helper, std::filesystem::path script = {})
      : listener(
            helper, std::move(script),
            [this](std::string_view report) {
              Seen seen;
              seen.refused = desktop.Report(report);
              seen.tells = desktop.TellsForeground();
              seen.front = desktop.ForegroundWindow();
              seen.processId = desktop.ProcessId(seen.front);
              seen.origin = desktop.ClientToScreen(seen.front, Point{}).value_or(Point{-1, -1});
              seens.push_back(seen);
              return seen.refused;
            },
            [this](const std::string& what) { complaints.push_back(what); }) {}

  ReportedDesktop desktop{static_cast<int>(::getpid()), [] { return kOwnWindow; }, nullptr};
  std::vector<Seen> seens;
  std::vector<std::string> complaints;
  WindowReportListener listener;
};

bool HaveNode() { return std::system("node --version > /dev/null 2>&1") == 0; }

TEST(WindowReportBus, AReportOnTheBusReachesTheDesktopAndAWrongOneIsAnsweredWithTheReason) {
  Receiver receiver(Helper::ShellExtension);
  std::string why;
  ASSERT_TRUE(receiver.listener.Listen(why)) << why;

  const Ran good = Send(
      R"(string:{"window": "9", "pid": 4242, "title": "Ed", "class": "ed", "x": -300, "y": 10, "width": 200, "height": 100})");
  EXPECT_EQ(good.exitCode, 0) << good.errors;
  EXPECT_TRUE(receiver.listener.AwaitReport(0ms));
  ASSERT_EQ(receiver.seens.size(), 1u);
  EXPECT_EQ(receiver.seens[0].processId, 4242);
  EXPECT_EQ(receiver.seens[0].origin, (Point{-300, 10}));

  // The sender learns why; the program says it once, however often it comes.
  for (int i = 0; i < 2; ++i) {
    const Ran bad = Send(R"(string:{"window": "9", "pid": -1})");
    EXPECT_NE(bad.exitCode, 0);
    EXPECT_NE(bad.errors.find("process id"), std::string::npos) << bad.errors;
  }
  EXPECT_FALSE(receiver.desktop.TellsForeground());
  EXPECT_EQ(receiver.complaints.size(), 1u);

  // Another type of argument is refused before it is read.
  const Ran number = RunToEnd(
      "dbus-send",
      {"--session", "--print-reply", QString("--dest=") + dbus::kReportService, dbus::kReportPath,
       QString(dbus::kReportInterface) + "." + dbus::kReportMethod, "int32:5"});
  EXPECT_NE(number.exitCode, 0);
  EXPECT_NE(number.errors.find("one string"), std::string::npos) << number.errors;
  EXPECT_EQ(receiver.seens.size(), 3u);
}

// KWin's scripting object as the listener uses it, on a connection and a
// thread of its own (the listener's calls to it block); it says a copy of the
// script is still loaded from an earlier run.
class StandInKWin : public QDBusVirtualObject {
 public:
  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    const QString member = message.member();
    {
      std::lock_guard lock(mutex_);
      QString call = member;
      for (const QVariant& argument : message.arguments()) call += " " + argument.toString();
      calls_.push_back(call.toStdString());
    }
    QVariantList answer;
    if (member == "isScriptLoaded" || member == "unloadScript") answer << true;
    if (member == "loadScript") answer << 7;
    connection.send(message.createReply(answer));
    return true;
  }
  std::vector<std::string> Calls() {
    std::lock_guard lock(mutex_);
    return calls_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> calls_;
};

struct KWinOnTheBus {
  KWinOnTheBus() {
    thread.start();
    kwin.moveToThread(&thread);
    connection.registerService("org.kde.KWin");
    connection.registerVirtualObject("/Scripting", &kwin);
  }
  ~KWinOnTheBus() {
    connection.unregisterObject("/Scripting");
    connection.unregisterService("org.kde.KWin");
    // Back to this thread, from its own, before that one ends.
    QThread* here = QThread::currentThread();
    QMetaObject::invokeMethod(
        &kwin, [this, here] { kwin.moveToThread(here); }, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
  }
  QThread thread;
  StandInKWin kwin;
  QDBusConnection connection = QDBusConnection::connectToBus(PrivateBus::Address(), "kwin");
};

class KWinScript : public ::testing::TestWithParam<const char*> {};

TEST_P(KWinScript, IsLoadedIntoKWinInPlaceOfAnOldCopyReportsTheWindowInFrontAndIsUnloaded) {
  if (!HaveNode()) GTEST_SKIP() << "node is not installed (scripts/setup.sh installs it)";
  KWinOnTheBus kwin;
  const std::filesystem::path script = QUORBEL_KWIN_SCRIPT;
  {
    Receiver receiver(Helper::KWinScript, script);
    std::string why;
    ASSERT_TRUE(receiver.listener.Listen(why)) << why;
    const std::string name = dbus::kKWinScriptName;
    EXPECT_EQ(kwin.kwin.Calls(),
              (std::vector<std::string>{"isScriptLoaded " + name, "unloadScript " + name,
                                        "loadScript " + script.string() + " " + name, "start"}));

    QStringList arguments{QUORBEL_HELPERS_DIR "/kwin-harness.mjs",
                          QString::fromStdString(script.string())};
    if (std::string(GetParam()) == "5") arguments << "5";
    const Ran ran = RunToEnd("node", arguments);
    ASSERT_EQ(ran.exitCode, 0) << ran.errors;
    const auto& seens = receiver.seens;
    ASSERT_EQ(seens.size(), 4u);
    for (const auto& seen : seens) EXPECT_EQ(seen.refused, "");
    // Fractions of a scaled output rounded, left of the first output.
    EXPECT_EQ(seens[0].processId, 4242);
    EXPECT_EQ(seens[0].origin, (Point{-1280, 40}));
    EXPECT_EQ(seens[1].front, seens[0].front);
    EXPECT_EQ(seens[1].origin, (Point{20, 30}));
    EXPECT_EQ(seens[2].front, kOwnWindow);
    EXPECT_TRUE(seens[3].tells);
    EXPECT_EQ(seens[3].front, 0u);
    EXPECT_EQ(receiver.desktop.Layout(), (wayland::Rect{-1280, 0, 3200, 1080}));
  }
  EXPECT_EQ(kwin.kwin.Calls().back(), std::string("unloadScript ") + dbus::kKWinScriptName);
}

TEST(KWinScriptFile, AMissingScriptIsNamedWithoutAskingKWin) {
  KWinOnTheBus kwin;
  Receiver receiver(Helper::KWinScript, "/nonexistent/quorbelu-windows.js");
  std::string why;
  EXPECT_FALSE(receiver.listener.Listen(why));
  EXPECT_NE(why.find("/nonexistent/quorbelu-windows.js is missing"), std::string::npos) << why;
  EXPECT_TRUE(kwin.kwin.Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(KWin6And5, KWinScript, ::testing::Values("6", "5"));

// The extension of GNOME 45 and later (a module), and the one of GNOME 42 to 44
// (a script), through the same steps.
class ShellExtension : public ::testing::TestWithParam<const char*> {};

TEST_P(ShellExtension, ReportsOnceTheProgramIsOnTheBusAndFollowsTheFocusUntilSwitchedOff) {
  if (!HaveNode()) GTEST_SKIP() << "node is not installed (scripts/setup.sh installs it)";
  Receiver receiver(Helper::ShellExtension);
  std::string why;
  ASSERT_TRUE(receiver.listener.Listen(why)) << why;
  const bool legacy = std::string(GetParam()) == "legacy";
  QStringList arguments{
      QUORBEL_HELPERS_DIR "/gnome-harness.mjs",
      QString(QUORBEL_GNOME_EXTENSIONS "/") +
          (legacy ? "quorbelu-windows-legacy@quorbel.org" : "quorbelu-windows@quorbel.org") +
          "/extension.js"};
  if (legacy) arguments << "legacy";
  const Ran ran = RunToEnd("node", arguments);
  ASSERT_EQ(ran.exitCode, 0) << ran.errors;
  const auto& seens = receiver.seens;
  ASSERT_EQ(seens.size(), 5u);
  for (const auto& seen : seens) EXPECT_EQ(seen.refused, "");
  EXPECT_EQ(seens[0].processId, 4242);
  EXPECT_EQ(seens[0].origin, (Point{-1280, 40}));
  EXPECT_EQ(seens[1].front, seens[0].front);
  EXPECT_EQ(seens[2].front, kOwnWindow);
  EXPECT_TRUE(seens[3].tells);
  EXPECT_EQ(seens[3].front, 0u);
  // Switched off (the screen locked): from then on nothing is known.
  EXPECT_FALSE(seens[4].tells);
  EXPECT_EQ(receiver.desktop.Layout(), (wayland::Rect{0, 0, 3200, 1080}));
}

INSTANTIATE_TEST_SUITE_P(Gnome45AndLater42To44, ShellExtension,
                         ::testing::Values("module", "legacy"));

}  // namespace
}  // namespace quorbel

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new quorbel::PrivateBus);
  return RUN_ALL_TESTS();
}
