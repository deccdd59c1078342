#include "platform/linux/x11/XConnection.h"

#include "platform/linux/x11/DisplayLost.h"

#include <array>
#include <atomic>
#include <set>
#include <utility>

namespace quorbel::x11 {
namespace {

// The error handler is process-wide in Xlib; it swallows the errors of our own
// connections and hands those of any other connection to the handler that was
// installed before it.
std::mutex errorMutex;
std::set<Display*> ownDisplays;
XErrorHandler previousHandler = nullptr;

int RecordError(Display* display, XErrorEvent* error) {
  {
    std::lock_guard lock(errorMutex);
    if (ownDisplays.contains(display)) return 0;
  }
  return previousHandler != nullptr ? previousHandler(display, error) : 0;
}

std::function<void()> lostHandler;
std::atomic<bool> lostReported{false};

// Xlib calls this after a connection broke instead of ending the process;
// when it returns, the connection stays marked broken and fails every request.
void ConnectionLost(Display*, void*) {
  if (lostReported.exchange(true)) return;
  std::function<void()> lost;
  {
    std::lock_guard lock(errorMutex);
    lost = lostHandler;
  }
  if (lost) lost();
}

void InstallErrorHandler() {
  XErrorHandler before = XSetErrorHandler(RecordError);
  if (before != RecordError) previousHandler = before;
}

Atoms InternAtoms(Display* display) {
  std::array<char*, 6> names = {
      const_cast<char*>("_NET_ACTIVE_WINDOW"), const_cast<char*>("_NET_CLIENT_LIST"),
      const_cast<char*>("_NET_WM_NAME"),       const_cast<char*>("_NET_WM_PID"),
      const_cast<char*>("UTF8_STRING"),        const_cast<char*>("WM_STATE")};
  std::array<Atom, 6> atoms{};
  XInternAtoms(display, names.data(), static_cast<int>(names.size()), False, atoms.data());
  return Atoms{atoms[0], atoms[1], atoms[2], atoms[3], atoms[4], atoms[5]};
}

}  // namespace

std::unique_ptr<XConnection> XConnection::Open(const std::string& displayName) {
  static std::once_flag threadsInitialised;
  std::call_once(threadsInitialised, [] { XInitThreads(); });
  Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
  if (display == nullptr) return nullptr;
  return std::unique_ptr<XConnection>(new XConnection(display));
}

XConnection::XConnection(Display* display) : display_(display) {
  {
    std::lock_guard lock(errorMutex);
    ownDisplays.insert(display_);
    InstallErrorHandler();
  }
  XSetIOErrorExitHandler(display_, ConnectionLost, nullptr);
  atoms_ = InternAtoms(display_);
}

XConnection::~XConnection() {
  XCloseDisplay(display_);
  std::lock_guard lock(errorMutex);
  ownDisplays.erase(display_);
}

}  // namespace quorbel::x11

namespace quorbel {

void OnDisplayLost(std::function<void()> lost) {
  std::lock_guard lock(x11::errorMutex);
  x11::lostHandler = std::move(lost);
}

}  // namespace quorbel
