#include "tools/surfacewindow/ToolDriver.h"

namespace quorbel::surfacewindow {

ToolDriver::ToolDriver(surfacetool::SurfaceTool& tool, int signalDescriptor,
                       std::function<void()> finished)
    : tool_(tool), finished_(std::move(finished)) {
  if (signalDescriptor >= 0) {
    signals_ = std::make_unique<QSocketNotifier>(signalDescriptor, QSocketNotifier::Read);
    connect(signals_.get(), &QSocketNotifier::activated, this, [this] {
      signals_->setEnabled(false);
      finished_();
    });
  }
  due_.setSingleShot(true);
  connect(&due_, &QTimer::timeout, this, &ToolDriver::SendDue);
}

void ToolDriver::Watch(std::unique_ptr<QSocketNotifier>& notifier, int descriptor,
                       void (ToolDriver::*handler)()) {
  if (notifier && notifier->socket() == descriptor) return;
  notifier.reset();
  if (descriptor < 0) return;
  notifier = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
  connect(notifier.get(), &QSocketNotifier::activated, this, handler);
}

void ToolDriver::Follow() {
  if (watchedPlug_ != tool_.PlugCount() || tool_.TerminalDescriptor() < 0) {
    watchedPlug_ = tool_.PlugCount();
    terminal_.reset();
  }
  Watch(terminal_, tool_.TerminalDescriptor(), &ToolDriver::EditorSent);
  Watch(input_, tool_.InputDescriptor(), &ToolDriver::InputArrived);
  const int wait = tool_.MillisecondsToNextDue();
  if (wait < 0) {
    due_.stop();
  } else {
    due_.start(wait);
  }
}

void ToolDriver::Execute(const surfacetool::Command& command) {
  tool_.Execute(command);
  Follow();
}

void ToolDriver::EditorSent() {
  tool_.ReceiveFromEditor();
  Follow();
}

void ToolDriver::InputArrived() {
  // The window stays open at the end of the input; only quit ends the run.
  if (tool_.ReadInput() == surfacetool::SurfaceTool::Input::Quit) {
    finished_();
    return;
  }
  Follow();
}

void ToolDriver::SendDue() {
  tool_.SendDue();
  Follow();
}

}  // namespace quorbel::surfacewindow
