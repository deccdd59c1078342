#include "app/Application.h"

#include <utility>

#include "app/FolderReport.h"
#include "common/Failure.h"
#include "device/Preferences.h"
#include "toolkit/FormName.h"
#include "toolkit/Messages.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowIds.h"

namespace quorbel {

namespace {

constexpr int kKeyEventsToCallback = 2;

constexpr const char* kForegroundUnknownText =
    "This desktop does not tell QuorbelU which program is in front.|"
    "Presses on the surface play only into programs that run through XWayland;|"
    "under sway and Hyprland every program is found, on KDE Plasma and GNOME|"
    "through QuorbelU's KWin script or Shell extension. See the README.{!}";

}  // namespace

Application::Application(Platform platform, const PartsFactory& makeParts)
    : platform_(std::move(platform)),
      files_(
          state_.keysets, [this] { return platform_.workFolder() / "keysets"; }, platform_.toolkit,
          state_.windows),
      listed_(platform_.toolkit),
      keysetList_(platform_.toolkit, state_.keysets, files_,
                  ui::KeysetList::AfterLoad{[this] { parts_->RefreshWindowList(); },
                                            [this](int slot) { parts_->SelectKeyset(slot); }}),
      display_(platform_.toolkit, state_.windows, state_.keysets, catalogue_),
      parts_(makeParts(*this)),
      events_(platform_.toolkit, platform_.desktop, state_, catalogue_, *parts_,
              platform_.workFolder, platform_.userGuide) {}

int Application::Run(const std::function<void()>& beforeStartup) {
  return platform_.toolkit.Run(
      [this, &beforeStartup] {
        if (beforeStartup) beforeStartup();
        RunGuarded("start-up", [this] { Startup(); });
      },
      [this](const std::string& form) { RunGuarded("laying out a window", [&] { LayOut(form); }); },
      [this](ui::Event& event) { RunGuarded("a window event", [&] { Event(event); }); });
}

void Application::Startup() {
  ui::Toolkit& toolkit = platform_.toolkit;
  ui::WindowState& windows = state_.windows;
  switch (platform_.guard.Acquire(kInstanceName)) {
    case GuardResult::Failed:
      // Without the guard the program does not start, but it says why.
      ShowGuardFailure();
      return;
    case GuardResult::AlreadyRunning:
      ShowSystemMessage("QuorbelU is Already Running", "Brenlow Electronics, Inc.");
      return;
    case GuardResult::Acquired:
      guardHeld_ = true;
      break;
  }
  started_ = true;
  ui::CreateMainWindow(toolkit, "");
  // Serving events, here and in the message about missing preferences, may
  // take a request to end the program.
  toolkit.DoEvents();
  if (shutDown_) return;
  ReadPreferences(platform_.workFolder(), state_.link, toolkit, windows);
  if (shutDown_) return;
  windows.MainWindowHandle = toolkit.Handle(ui::kMainForm);
  keysetList_.LoadKeysetList();
  if (const std::string trouble = FolderTroubleText(platform_.workFolder(), files_);
      !trouble.empty()) {
    ui::ShowMessage(toolkit, windows, trouble);
  }
  toolkit.AllowKeyEvents(kKeyEventsToCallback);
  parts_->PutPortMenuMarks();
  toolkit.SetFormIcon(ui::kMainForm, "$program");
  parts_->OpenLinkAtStartup();
  if (!platform_.desktop.TellsForeground()) TellForegroundUnknown();
}

void Application::TellForegroundUnknown() {
  state_.windows.DialogActive = true;
  platform_.toolkit.MessageBox(ui::kMainForm, kForegroundUnknownText, "QuorbelU", ui::Buttons::Ok);
  state_.windows.DialogActive = false;
}

void Application::Shutdown() {
  // A copy that never got its window has nothing to take down, and its
  // settings were never read: writing them would overwrite the running
  // copy's preferences.
  if (!started_ || shutDown_) return;
  shutDown_ = true;
  platform_.toolkit.StopTimer(ui::kMainForm, ui::kStatusTimer);
  RunGuarded("writing the preferences",
             [this] { WritePreferences(platform_.workFolder(), state_.link); });
  // Asked for from inside one of the device thread's requests (a pause of
  // the surface's display, a message box of a capture), the rest waits
  // until that request has returned: the thread must end before the port
  // closes and the window goes, and it cannot end while it waits for us.
  parts_->OutsideDeviceRequests([this] { FinishShutdown(); });
}

void Application::FinishShutdown() {
  RunGuarded("stopping the link", [this] { parts_->StopLink(); });
  if (guardHeld_) {
    platform_.guard.Release();
    guardHeld_ = false;
  }
  platform_.toolkit.UnloadForm(ui::kMainForm);
}

void Application::LayOut(const std::string& form) {
  if (ui::SameFormName(form, ui::kMainForm)) {
    ui::LayOutMainWindow(platform_.toolkit, catalogue_, state_.selection);
  } else if (ui::SameFormName(form, ui::kKeysetDisplayForm)) {
    display_.LayOut();
  } else {
    parts_->LayOutForm(form);
  }
}

void Application::Event(ui::Event& event) {
  if (ui::SameFormName(event.form, ui::kMainForm)) {
    events_.MainEvent(event);
    parts_->MainWindowSettled();
  } else if (ui::SameFormName(event.form, ui::kKeysetDisplayForm)) {
    display_.KeysetDisplayEvent(event);
  } else {
    parts_->FormEvent(event);
  }
}

void Application::ShowGuardFailure() {
  std::string text = kGuardFailureMessage;
  const std::string why = platform_.guard.Trouble();
  if (!why.empty()) text += "|" + why;
  ShowSystemMessage(text, "Brenlow Electronics, Inc.");
}

void Application::ShowSystemMessage(const std::string& text, const std::string& title) {
  state_.windows.DialogActive = true;
  platform_.toolkit.MessageBox("", text, title, ui::Buttons::Ok);
  state_.windows.DialogActive = false;
}

}  // namespace quorbel
