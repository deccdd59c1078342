#pragma once

#include "tools/surface/SurfaceTool.h"

namespace quorbel::surfacewindow {

// Runs `tool` with its window until the window is closed, quit is read or a
// signal arrives on `signalDescriptor`. Returns the process's exit code.
int RunSurfaceWindow(surfacetool::SurfaceTool& tool, int signalDescriptor, int argc, char** argv);

}  // namespace quorbel::surfacewindow
