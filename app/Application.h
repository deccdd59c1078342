#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/MainEvents.h"
#include "app/ProgramChoice.h"
#include "app/ProgramParts.h"
#include "app/ProgramState.h"
#include "keysets/KeysetFiles.h"
#include "platform/Desktop.h"
#include "platform/InstanceGuard.h"
#include "surface/ControlCatalogue.h"
#include "toolkit/Toolkit.h"
#include "ui/KeysetDisplay.h"
#include "ui/KeysetList.h"
#include "ui/KeysetListView.h"

namespace quorbel {

inline constexpr const char* kInstanceName = "Quorbel Editor";
inline constexpr const char* kGuardFailureMessage =
    "QuorbelU cannot make sure that only one copy of it runs, so it does not start.";

// The program: its process-wide state, the main window and the Keyset
// Display, the keyset files, and the parts that do the rest. It starts up
// and shuts down in a fixed order and routes every form's layout and events.
class Application {
 public:
  // The operating system and the toolkit the program runs on; `workFolder`
  // gives the folder of the preferences, keysets and help files, and
  // `userGuide` the guide installed with the program (empty when none is).
  struct Platform {
    ui::Toolkit& toolkit;
    InstanceGuard& guard;
    Desktop& desktop;
    std::function<std::filesystem::path()> workFolder;
    std::filesystem::path userGuide = {};
    // Where New Keyset looks for programs.
    ProgramChoice programs = {};
  };
  // Builds the other parts once the application's own state exists.
  using PartsFactory = std::function<std::unique_ptr<ProgramParts>(Application&)>;

  Application(Platform platform, const PartsFactory& makeParts);

  // Runs the toolkit with the three callbacks until the main window is gone.
  // `beforeStartup` runs first, once the toolkit's event loop exists.
  int Run(const std::function<void()>& beforeStartup = {});

  // A second copy shows a message and creates no window. Otherwise: the main
  // window, the preferences, the keysets, the port menu marks, then the port
  // opened and the device thread started, or a message naming the port.
  void Startup();
  // Stops the status timer, writes the preferences, stops the link, releases
  // the single-instance guard and destroys the main window. Only the first
  // call after a start-up that created the window does anything. Called
  // inside one of the device thread's requests, it stops the link and what
  // follows once that request has returned.
  void Shutdown();
  void LayOut(const std::string& form);
  void Event(ui::Event& event);

  ProgramState& State() { return state_; }
  const ControlCatalogue& Catalogue() const { return catalogue_; }
  ui::Toolkit& Toolkit() { return platform_.toolkit; }
  Desktop& DesktopWindows() { return platform_.desktop; }
  const ProgramChoice& Programs() const { return platform_.programs; }
  KeysetFiles& Files() { return files_; }
  ui::KeysetList& KeysetList() { return keysetList_; }
  ListedKeysets& Listed() { return listed_; }
  ui::KeysetDisplay& KeysetDisplay() { return display_; }

 private:
  void ShowSystemMessage(const std::string& text, const std::string& title);
  void ShowGuardFailure();
  // Once, at start-up, where the desktop cannot name the program in front.
  void TellForegroundUnknown();
  // Shutdown from stopping the link on.
  void FinishShutdown();

  Platform platform_;
  ProgramState state_;
  const ControlCatalogue catalogue_;
  KeysetFiles files_;
  ui::KeysetListView listed_;
  ui::KeysetList keysetList_;
  ui::KeysetDisplay display_;
  std::unique_ptr<ProgramParts> parts_;
  MainEvents events_;
  bool guardHeld_ = false;
  bool started_ = false;
  bool shutDown_ = false;
};

}  // namespace quorbel
