#pragma once

#include <functional>
#include <string>

#include "app/MainOperations.h"
#include "toolkit/Toolkit.h"

namespace quorbel {

// Everything the application starts in the program's other parts: the
// operations of the main window's dispatcher, the link to the surface at
// start-up and shutdown, the window list, and the forms of other parts.
class ProgramParts : public MainOperations {
 public:
  // Start-up's opening of the link: the configured port opened, then the
  // greeting on the surface's display, the device thread started and the
  // layer line written; or the message naming the port. Nothing when a device
  // thread runs already.
  virtual void OpenLinkAtStartup() = 0;
  // Ends playback (every held key released), the device thread and the port.
  virtual void StopLink() = 0;
  // Runs `work` now, or, while the GUI thread is inside one of the device
  // thread's requests (whose nested event loop served the event that asks
  // for `work`), right after that request has returned: stopping the link
  // waits for the device thread, which waits for its request.
  virtual void OutsideDeviceRequests(std::function<void()> work) = 0;
  virtual void RefreshWindowList() = 0;
  // GUI thread, after each event of the main window: what the device thread
  // reads of the window without waiting for it (the keyset list's entries,
  // whether the next press captures a point) is copied for it.
  virtual void MainWindowSettled() = 0;

  // Layout and events of a form the application does not build itself;
  // false when the form is not theirs either.
  virtual bool LayOutForm(const std::string& form) = 0;
  virtual bool FormEvent(ui::Event& event) = 0;
};

}  // namespace quorbel
