#include "tools/surfacewindow/RunSurfaceWindow.h"

#include <QApplication>

#include "tools/surfacewindow/SurfaceWindow.h"
#include "tools/surfacewindow/ToolDriver.h"
#include "tools/surfacewindow/X11Pointer.h"

namespace quorbel::surfacewindow {

namespace {

QString Title(const surfacetool::SurfaceTool& tool) {
  QString title = QStringLiteral("Quorbel surface - Com %1").arg(tool.Port());
  if (!tool.Plugged()) title += QStringLiteral(" (unplugged)");
  return title;
}

}  // namespace

int RunSurfaceWindow(surfacetool::SurfaceTool& tool, int signalDescriptor, int argc, char** argv) {
  QApplication application(argc, argv);
  ToolDriver driver(tool, signalDescriptor, [] { QApplication::quit(); });
  SurfaceWindow window(tool.State(), tool.Controls(),
                       [&driver](const surfacetool::Command& command) { driver.Execute(command); });
  const SyntheticPointer pointer;
  window.IgnoreInputWhen([&pointer] { return pointer.Synthesised(); });
  LeaveFocusProtocol(window);
  tool.SetChangeListener([&window, &tool] {
    window.setWindowTitle(Title(tool));
    window.StateChanged();
  });
  if (!tool.Start()) return 1;
  driver.Follow();
  window.show();
  application.exec();
  tool.SetChangeListener({});
  tool.Stop();
  return 0;
}

}  // namespace quorbel::surfacewindow
