// The simulated surface: plays the Quorbel's side of the serial link over a
// pseudo-terminal, driven by commands on standard input.

#include <signal.h>
#include <sys/signalfd.h>

#include <cstdio>
#include <span>

#include "tools/surface/SurfaceTool.h"
#include "tools/surface/ToolOptions.h"
#include "tools/surfacewindow/RunSurfaceWindow.h"

int main(int argc, char** argv) {
  using namespace quorbel::surfacetool;
  const auto parsed = ParseToolOptions(std::span<const char* const>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "quorbel-surface: %s\n%s\n", parsed.error.c_str(), ToolUsage().c_str());
    return 2;
  }
  // Interrupts and hang-ups arrive as readable events, so the run ends
  // through its normal path and takes its port link away.
  sigset_t ending;
  sigemptyset(&ending);
  sigaddset(&ending, SIGINT);
  sigaddset(&ending, SIGTERM);
  sigaddset(&ending, SIGHUP);
  sigprocmask(SIG_BLOCK, &ending, nullptr);
  const int signals = signalfd(-1, &ending, SFD_CLOEXEC);
  // A reader of standard output that goes away must not kill the surface
  // before it has removed its link.
  signal(SIGPIPE, SIG_IGN);

  SurfaceTool tool(parsed.options);
  if (parsed.options.window)
    return quorbel::surfacewindow::RunSurfaceWindow(tool, signals, argc, argv);
  return tool.Run(signals);
}
