#pragma once

#include <cstdint>
#include <string>

#include "tools/surface/PseudoTerminal.h"
#include "tools/surface/ScriptCommand.h"
#include "tools/surface/SurfaceSimulator.h"
#include "tools/surface/ToolOptions.h"

namespace quorbel::surfacetool {

// The running simulated surface: reads commands from standard input and the
// editor's bytes from the pseudo-terminal, answers, and reports on standard
// output one line at a time:
//   ready comN LINK -> DEVICE      plugged in (at start and after plug)
//   unplugged                      after unplug
//   sent HEX                       bytes a command sent (replies too, while logging)
//   recv HEX                       a message from the editor, while logging
//   answer MODE / log on|off       a setting has been changed
//   error: TEXT                    a command that could not be carried out
class SurfaceTool {
 public:
  explicit SurfaceTool(const ToolOptions& options);

  // Runs until quit, the end of the input (unless told to stay), or a
  // signal on `signalDescriptor`. Returns the process's exit code.
  int Run(int signalDescriptor);

 private:
  bool Plug();
  void ReceiveFromEditor();
  void SendDue();
  // False when the command ends the run.
  bool Execute(const Command& command);
  // False when a line asked to quit.
  bool TakeInput(const std::string& chunk);

  ToolOptions options_;
  PseudoTerminal terminal_;
  SurfaceSimulator simulator_;
  std::string inputLine_;
};

}  // namespace quorbel::surfacetool
