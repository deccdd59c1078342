// Timers and waits of the Qt toolkit.
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <thread>

#include "toolkit/qt/QtToolkit.h"

namespace quorbel::ui {

namespace {

// Whole milliseconds, at least one: a timer of 0 would fire without pause.
int Milliseconds(float seconds) {
  const double milliseconds = std::round(static_cast<double>(seconds) * 1000.0);
  return milliseconds < 1 ? 1 : static_cast<int>(std::min(milliseconds, 2.0e9));
}

}  // namespace

void QtToolkit::StartTimer(const std::string& form, int id, float seconds) {
  OnGui([&] {
    QtForm* f = FindForm(form);
    if (f == nullptr) return;
    QTimer*& timer = f->timers[id];
    if (timer == nullptr) {
      timer = new QTimer(f->window);
      const QWidget* window = f->window;
      QObject::connect(timer, &QTimer::timeout, timer,
                       [this, window, id] { DeliverFrom(window, id, kClick, 0); });
    }
    timer->start(Milliseconds(seconds));
  });
}

void QtToolkit::StopTimer(const std::string& form, int id) {
  OnGui([&] {
    QtForm* f = FindForm(form);
    if (f == nullptr) return;
    if (auto timer = f->timers.find(id); timer != f->timers.end()) timer->second->stop();
  });
}

void QtToolkit::Delay(float seconds) {
  if (!calls_.OnGuiThread() || QCoreApplication::instance() == nullptr) {
    std::this_thread::sleep_for(std::chrono::duration<float>(std::max(seconds, 0.0f)));
    return;
  }
  if (seconds <= 0) {
    DoEvents();
    return;
  }
  // Window events, timers and other threads' calls go on while this waits.
  QEventLoop loop;
  QTimer::singleShot(Milliseconds(seconds), Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

void QtToolkit::DoEvents() {
  if (!calls_.OnGuiThread() || QCoreApplication::instance() == nullptr) return;
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

}  // namespace quorbel::ui
