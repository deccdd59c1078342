#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <memory>

#include "tools/surface/SurfaceTool.h"

namespace quorbel::surfacewindow {

// Runs the simulated surface inside the Qt event loop: the editor's bytes,
// the command input and the ending signals wake it through socket notifiers,
// and queued answers go out on a timer, so the window and the link share one
// thread.
class ToolDriver : public QObject {
 public:
  // `finished` is called once the run should end: quit, or a signal.
  ToolDriver(surfacetool::SurfaceTool& tool, int signalDescriptor, std::function<void()> finished);

  // Follows the tool after anything it did: a new pseudo-terminal after a
  // plug, the end of the input, the next answer falling due.
  void Follow();
  // Carries out a command from the window.
  void Execute(const surfacetool::Command& command);

 private:
  void Watch(std::unique_ptr<QSocketNotifier>& notifier, int descriptor,
             void (ToolDriver::*handler)());
  void EditorSent();
  void InputArrived();
  void SendDue();

  surfacetool::SurfaceTool& tool_;
  std::function<void()> finished_;
  std::unique_ptr<QSocketNotifier> signals_;
  std::unique_ptr<QSocketNotifier> input_;
  std::unique_ptr<QSocketNotifier> terminal_;
  QTimer due_;
  int watchedPlug_ = 0;
};

}  // namespace quorbel::surfacewindow
