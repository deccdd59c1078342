#include "app/qt/DisplayLoss.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <utility>

namespace quorbel {

namespace {

// Qt's own words when it is about to end the process.
constexpr const char* kConnectionBroke = "The X11 connection broke";

QtMessageHandler previousHandler = nullptr;
std::function<void()> lostHandler;
bool lostReported = false;

void HearMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (previousHandler != nullptr) {
    previousHandler(type, context, message);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
  }
  if (lostReported || !message.startsWith(QLatin1String(kConnectionBroke))) return;
  lostReported = true;
  if (lostHandler) lostHandler();
}

}  // namespace

void DisplayLoss::Watch(std::function<void()> onLost) {
  lostHandler = std::move(onLost);
  previousHandler = qInstallMessageHandler(HearMessage);
}

}  // namespace quorbel
