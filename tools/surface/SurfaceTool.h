#pragma once

#include <unistd.h>

#include <cstdint>
#include <functional>
#include <string>

#include "tools/surface/PseudoTerminal.h"
#include "tools/surface/ScriptCommand.h"
#include "tools/surface/SentControls.h"
#include "tools/surface/SurfaceSimulator.h"
#include "tools/surface/ToolOptions.h"

namespace quorbel::surfacetool {

// The running simulated surface: reads commands from its input and the
// editor's bytes from the pseudo-terminal, answers, and reports on standard
// output one line at a time:
//   ready comN LINK -> DEVICE      plugged in (at start and after plug)
//   unplugged                      after unplug
//   sent HEX                       bytes a command sent (replies too, while logging)
//   recv HEX                       a message from the editor, while logging
//   answer MODE / log on|off       a setting has been changed
//   error: TEXT                    a command that could not be carried out
//
// Run waits on its own; a program with an event loop of its own (the window)
// waits on the descriptors itself and calls the steps below instead.
class SurfaceTool {
 public:
  explicit SurfaceTool(const ToolOptions& options, int inputDescriptor = STDIN_FILENO);

  // Runs until quit, the end of the input (unless told to stay), or a
  // signal on `signalDescriptor`. Returns the process's exit code.
  int Run(int signalDescriptor);

  // Plugs in; false (after saying why) when no pseudo-terminal could be made.
  bool Start();
  // Unplugs, removing the port link.
  void Stop();

  // Readable when the editor has sent bytes; -1 while unplugged.
  int TerminalDescriptor() const { return terminal_.Descriptor(); }
  // The command input; -1 once it has ended.
  int InputDescriptor() const { return inputDescriptor_; }
  // Milliseconds until queued bytes fall due, 0 when some are due already,
  // -1 with nothing queued.
  int MillisecondsToNextDue() const;

  void ReceiveFromEditor();
  void SendDue();

  enum class Input { Open, Ended, Quit };
  // Reads what the input holds and carries out every complete line.
  Input ReadInput();
  // False when the command ends the run.
  bool Execute(const Command& command);

  const SurfaceState& State() const { return simulator_.State(); }
  const SentControls& Controls() const { return controls_; }
  bool Plugged() const { return terminal_.Plugged(); }
  // How often a pseudo-terminal was made; each has a descriptor of its own,
  // even where its number is that of the last.
  int PlugCount() const { return plugCount_; }
  int Port() const { return options_.port; }
  // Called whenever the lamps, the display, the controls or the plug may have changed.
  void SetChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }

 private:
  bool Plug();
  // False when a line asked to quit.
  bool TakeInput(const std::string& chunk);
  void Changed() const;

  ToolOptions options_;
  int inputDescriptor_;
  PseudoTerminal terminal_;
  SurfaceSimulator simulator_;
  SentControls controls_;
  std::string inputLine_;
  int plugCount_ = 0;
  std::function<void()> changed_;
};

}  // namespace quorbel::surfacetool
