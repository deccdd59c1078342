#pragma once

#include <QObject>

#include "platform/RequestQueue.h"

namespace quorbel::ui {

// The GUI thread's request queue on Qt: a queued call to an object of the GUI
// thread wakes its event loop, or the loop of a dialog or delay running there.
class GuiCalls : public RequestQueue {
 public:
  GuiCalls();
  ~GuiCalls();
  GuiCalls(const GuiCalls&) = delete;
  GuiCalls& operator=(const GuiCalls&) = delete;

 private:
  QObject context_;  // lives on the GUI thread; receives the wake-ups
};

}  // namespace quorbel::ui
