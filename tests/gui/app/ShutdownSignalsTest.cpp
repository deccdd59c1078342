#include "app/qt/ShutdownSignals.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>
#include <csignal>
#include <thread>

namespace quorbel {
namespace {

int CallsAfterSignals(std::initializer_list<int> sent) {
  ShutdownSignals shutdownSignals;
  int argc = 1;
  char name[] = "gui_app";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  int calls = 0;
  shutdownSignals.Watch([&] {
    ++calls;
    QTimer::singleShot(50, &app, &QCoreApplication::quit);
  });
  // Sent from another thread, as a signal from outside may arrive anywhere.
  std::thread sender([&] {
    for (int number : sent) ::kill(::getpid(), number);
  });
  QTimer::singleShot(5000, &app, &QCoreApplication::quit);  // never hang the suite
  app.exec();
  sender.join();
  return calls;
}

TEST(ShutdownSignals, TerminateInterruptAndHangUpReachTheEventLoopInsteadOfKilling) {
  EXPECT_GE(CallsAfterSignals({SIGTERM}), 1);
  EXPECT_GE(CallsAfterSignals({SIGINT, SIGTERM}), 1);
  // The terminal that started the program closing.
  EXPECT_GE(CallsAfterSignals({SIGHUP}), 1);
}

}  // namespace
}  // namespace quorbel
