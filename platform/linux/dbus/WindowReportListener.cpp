#include "platform/linux/dbus/WindowReportListener.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QEventLoop>
#include <QTimer>
#include <atomic>

#include "platform/linux/dbus/ReportBus.h"

namespace quorbel {
namespace {

constexpr int kKWinTimeoutMs = 5000;

// The object the helpers call: one method, one string.
class ReportObject : public QDBusVirtualObject {
 public:
  using Handler = std::function<QString(const QString&)>;
  explicit ReportObject(Handler handle) : handle_(std::move(handle)) {}

  QString introspect(const QString&) const override {
    return QStringLiteral(
               "<interface name=\"%1\"><method name=\"%2\">"
               "<arg name=\"report\" type=\"s\" direction=\"in\"/></method></interface>")
        .arg(QLatin1String(dbus::kReportInterface), QLatin1String(dbus::kReportMethod));
  }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.type() != QDBusMessage::MethodCallMessage ||
        message.interface() != QLatin1String(dbus::kReportInterface) ||
        message.member() != QLatin1String(dbus::kReportMethod)) {
      return false;
    }
    QString refused;
    if (message.signature() != QLatin1String("s")) {
      refused = QStringLiteral("a window report must be one string, not of the D-Bus type \"%1\"")
                    .arg(message.signature());
    } else {
      refused = handle_(message.arguments().constFirst().toString());
    }
    connection.send(refused.isEmpty() ? message.createReply()
                                      : message.createErrorReply(QDBusError::InvalidArgs, refused));
    return true;
  }

 private:
  Handler handle_;
};

// One call to KWin's scripting object; its reply, an error reply when KWin
// does not answer.
QDBusMessage CallKWin(const QDBusConnection& bus, const char* method, const QVariantList& args) {
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.kde.KWin"), QStringLiteral("/Scripting"),
      QStringLiteral("org.kde.kwin.Scripting"), QLatin1String(method));
  call.setArguments(args);
  return bus.call(call, QDBus::Block, kKWinTimeoutMs);
}

}  // namespace

struct WindowReportListener::Bus {
  Helper helper;
  std::filesystem::path kwinScript;
  Take take;
  Complaint complain;
  std::unique_ptr<ReportObject> object;
  QDBusConnection connection{QString()};
  bool scriptLoaded = false;
  bool listening = false;
  std::atomic<bool> reported{false};
  QString lastComplaint;

  QString Handle(const QString& report) {
    const std::string why = take(report.toStdString());
    if (why.empty()) {
      reported = true;
      return {};
    }
    const QString text = QString::fromStdString(why);
    // A helper that keeps sending the same wrong report is named once.
    if (text != lastComplaint) complain("the desktop sent " + why);
    lastComplaint = text;
    return text;
  }

  bool StartScript(std::string& why) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(kwinScript, error)) {
      why = "the KWin script " + kwinScript.string() + " is missing (is QuorbelU installed?)";
      return false;
    }
    const QString name = QLatin1String(dbus::kKWinScriptName);
    // A copy left loaded by an earlier run that ended without unloading it.
    const QDBusMessage loaded = CallKWin(connection, "isScriptLoaded", {name});
    if (loaded.type() == QDBusMessage::ErrorMessage) {
      why = "KWin does not answer on the session bus: " + loaded.errorMessage().toStdString();
      return false;
    }
    if (!loaded.arguments().isEmpty() && loaded.arguments().constFirst().toBool()) {
      CallKWin(connection, "unloadScript", {name});
    }
    const QDBusMessage id =
        CallKWin(connection, "loadScript", {QString::fromStdString(kwinScript.string()), name});
    if (id.type() == QDBusMessage::ErrorMessage || id.arguments().isEmpty() ||
        id.arguments().constFirst().toInt() < 0) {
      why = "KWin did not load the script " + kwinScript.string();
      if (id.type() == QDBusMessage::ErrorMessage) why += ": " + id.errorMessage().toStdString();
      return false;
    }
    scriptLoaded = true;
    const QDBusMessage started = CallKWin(connection, "start", {});
    if (started.type() == QDBusMessage::ErrorMessage) {
      why = "KWin did not start the script: " + started.errorMessage().toStdString();
      return false;
    }
    return true;
  }

  void Stop() {
    if (scriptLoaded) CallKWin(connection, "unloadScript", {QLatin1String(dbus::kKWinScriptName)});
    scriptLoaded = false;
    if (listening) {
      connection.unregisterObject(QLatin1String(dbus::kReportPath));
      connection.unregisterService(QLatin1String(dbus::kReportService));
    }
    listening = false;
  }
};

WindowReportListener::WindowReportListener(Helper helper, std::filesystem::path kwinScript,
                                           Take take, Complaint complain)
    : bus_(std::make_unique<Bus>()) {
  bus_->helper = helper;
  bus_->kwinScript = std::move(kwinScript);
  bus_->take = std::move(take);
  bus_->complain = std::move(complain);
}

WindowReportListener::~WindowReportListener() {
  // Without the application the bus is gone with it (and KWin unloads
  // nothing on its own: the next start unloads the copy left behind).
  if (QCoreApplication::instance() != nullptr) bus_->Stop();
}

bool WindowReportListener::Listen(std::string& why) {
  Bus& bus = *bus_;
  bus.connection = QDBusConnection::sessionBus();
  if (!bus.connection.isConnected()) {
    why = "no session bus: " + bus.connection.lastError().message().toStdString();
    return false;
  }
  bus.object =
      std::make_unique<ReportObject>([&bus](const QString& report) { return bus.Handle(report); });
  if (!bus.connection.registerVirtualObject(QLatin1String(dbus::kReportPath), bus.object.get())) {
    why = "the object for window reports cannot be served on the session bus";
    return false;
  }
  bus.listening = true;
  if (!bus.connection.registerService(QLatin1String(dbus::kReportService))) {
    why = std::string("the bus name ") + dbus::kReportService + " is taken";
    bus.Stop();
    return false;
  }
  // Unloaded while the bus is still there.
  QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, bus.object.get(),
                   [&bus] { bus.Stop(); });
  if (bus.helper == Helper::KWinScript && !bus.StartScript(why)) {
    bus.Stop();
    return false;
  }
  return true;
}

bool WindowReportListener::AwaitReport(std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  QEventLoop loop;
  QTimer check;
  check.setInterval(10);
  QObject::connect(&check, &QTimer::timeout, &loop, [&] {
    if (bus_->reported || std::chrono::steady_clock::now() >= deadline) loop.quit();
  });
  check.start();
  if (!bus_->reported) loop.exec();
  return bus_->reported;
}

}  // namespace quorbel
