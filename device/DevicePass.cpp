#include "device/DevicePass.h"

#include "common/Types.h"

namespace quorbel {

namespace {

constexpr std::uint32_t kIndicatorLifeMs = 100;
constexpr int kShiftControl = 20;
// The main window's commands for a shuttle position reported by the surface.
constexpr int kShuttleCentreCommand = kPanelPictureBase + kShuttleCentreControl;
constexpr int kShuttleForwardCommand = 1094;
constexpr int kShuttleReverseCommand = 1074;
// The panel's shuttle lamps: a click on one steps the shuttle from where it is.
constexpr int kShuttleReverseLampCommand = 1061;
constexpr int kShuttleForwardLampCommand = 1081;

// Clicks whose handling reads the shuttle step, which the press sets back to
// 0 right after its click: they must run before that.
bool ClickReadsShuttleStep(int commandId) {
  return commandId == kShuttleForwardCommand || commandId == kShuttleReverseCommand ||
         commandId == kShuttleReverseLampCommand || commandId == kShuttleForwardLampCommand;
}

// Claims the port for as long as it lives.
class PortUse {
 public:
  explicit PortUse(PortClaim* claim) : claim_(claim) {
    if (claim_ != nullptr) claim_->Claim();
  }
  ~PortUse() {
    if (claim_ != nullptr) claim_->Release();
  }
  PortUse(const PortUse&) = delete;
  PortUse& operator=(const PortUse&) = delete;

 private:
  PortClaim* const claim_;
};

}  // namespace

DevicePass::DevicePass(const DeviceContext& context, PortClaim* claim)
    : context_(context), claim_(claim), received_(context.port) {}

void DevicePass::Reset() {
  received_.Clear();
  litJogIndicator_ = 0;
  lastWheelTime_ = 0;
  jogStepCount_ = 0;
  discardToggle_ = false;
}

std::optional<std::chrono::milliseconds> DevicePass::IndicatorTimeLeft() {
  if (litJogIndicator_ == 0) return std::nullopt;
  // Unsigned difference: right across the wrap of the 32-bit tick.
  const std::uint32_t elapsed = context_.clock.TickMs() - lastWheelTime_;
  if (elapsed > kIndicatorLifeMs) return std::chrono::milliseconds(0);
  return std::chrono::milliseconds(kIndicatorLifeMs + 1 - elapsed);
}

void DevicePass::ExpireIndicator() {
  const auto left = IndicatorTimeLeft();
  if (!left || left->count() > 0) return;
  litJogIndicator_ = 0;
  context_.ui.Run([this] { context_.actions.ResetWheelIndicators(); });
}

std::optional<std::pair<std::uint8_t, std::uint8_t>> DevicePass::TakeMessage() {
  const PortUse use(claim_);
  if (received_.Pending() < 3) return std::nullopt;
  const auto start = received_.Take();
  if (start != kSurfaceStartByte) return std::nullopt;
  const auto kind = received_.Take();
  const auto value = received_.Take();
  if (!kind || !value) return std::nullopt;  // the port went away in the middle
  return std::pair{*kind, *value};
}

void DevicePass::DiscardPending() {
  const PortUse use(claim_);
  received_.DiscardPending();
}

void DevicePass::HandleNextMessage() {
  const auto message = TakeMessage();
  if (!message) return;
  // Whatever the window still had to show of the last message is shown
  // before this one is handled, so each message sees the state the ones
  // before it left.
  context_.ui.CatchUp();
  const SurfaceEvent event = DecodeMessage(message->first, message->second);
  if (MayPlay(event)) context_.actions.PrepareToPlay();
  const WindowId target = context_.desktop.ForegroundWindow();

  bool resetJogCount = true;
  switch (event.kind) {
    case SurfaceEventKind::Press:
      resetJogCount = HandlePress(event.control, target);
      break;
    case SurfaceEventKind::Release:
      HandleRelease();
      break;
    case SurfaceEventKind::JogStep:
      HandleJogStep(event.control, target);
      resetJogCount = false;
      break;
    case SurfaceEventKind::ShuttlePosition:
      HandleShuttle(event, target);
      break;
    case SurfaceEventKind::Ignored:
      break;
  }
  if (resetJogCount) jogStepCount_ = 0;
}

bool DevicePass::MayPlay(const SurfaceEvent& event) const {
  switch (event.kind) {
    case SurfaceEventKind::Press:
      return event.control != kShiftControl;
    case SurfaceEventKind::JogStep:
      // Only the step that reaches the divider plays.
      return jogStepCount_ + 1 > context_.selection.SpeedRange;
    case SurfaceEventKind::ShuttlePosition:
      return true;
    case SurfaceEventKind::Release:
    case SurfaceEventKind::Ignored:
      break;
  }
  return false;
}

bool DevicePass::HandlePress(int control, WindowId target) {
  const int command = kPanelPictureBase + control;
  // The program's own window only selects; Shift switches the layer through
  // its command and is never replayed.
  const bool plays = !IsMainWindow(target) && control != kShiftControl;
  const bool capture = plays && context_.actions.CaptureMode();
  litJogIndicator_ = 0;
  if (plays && !capture && !ClickReadsShuttleStep(command)) {
    // The keys leave first; the panel and the editor show the press after
    // them, and the GUI thread is not woken to show it until they have left.
    const PostsHeld held(context_.ui);
    context_.ui.Post([this, command] { context_.actions.SelectControlCommand(command); });
    context_.selection.ShuttleStep = 0;
    context_.actions.Play(control, target);
    return true;
  }
  Select(command);
  context_.selection.ShuttleStep = 0;
  if (!plays) return false;
  if (!capture) {
    context_.actions.Play(control, target);
    return true;
  }
  const Point point = context_.desktop.ScreenToClient(target, context_.desktop.CursorPosition());
  context_.desktop.RestoreWindow(context_.windows.MainWindowHandle);
  context_.ui.Run([&] { context_.actions.CapturePoint(control, point); });
  return true;
}

void DevicePass::HandleRelease() {
  litJogIndicator_ = 0;
  context_.selection.ShuttleStep = 0;
}

void DevicePass::HandleJogStep(int control, WindowId target) {
  const int command = kPanelPictureBase + control;
  if (command != litJogIndicator_) Select(command);
  litJogIndicator_ = command;
  if (!IsMainWindow(target)) {
    ++jogStepCount_;
    if (jogStepCount_ > context_.selection.SpeedRange) {
      context_.actions.Play(control, target);
      jogStepCount_ = 0;
      discardToggle_ = !discardToggle_;
      if (discardToggle_) DiscardPending();
    }
  }
  lastWheelTime_ = context_.clock.TickMs();
  // In front, the panel only follows the wheel: whatever has queued up meanwhile is dropped.
  if (IsMainWindow(target)) DiscardPending();
  context_.selection.ShuttleStep = 0;
}

void DevicePass::HandleShuttle(const SurfaceEvent& event, WindowId target) {
  context_.selection.ShuttleStep = event.position;
  if (!IsMainWindow(target)) {
    context_.actions.Play(event.control, target);
  } else if (event.position == 0) {
    Select(kShuttleCentreCommand);
    context_.ui.Run([this] { context_.actions.LightBothShuttleLamps(); });
  } else {
    // The main window selects the control of the position in ShuttleStep.
    Select(event.position > 0 ? kShuttleForwardCommand : kShuttleReverseCommand);
  }
  lastWheelTime_ = context_.clock.TickMs();
}

void DevicePass::Select(int commandId) {
  context_.ui.Run([this, commandId] { context_.actions.SelectControlCommand(commandId); });
}

bool DevicePass::IsMainWindow(WindowId window) const {
  return window == context_.windows.MainWindowHandle;
}

}  // namespace quorbel
