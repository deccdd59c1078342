#include "platform/linux/x11/X11Desktop.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XRes.h>

#include <chrono>
#include <optional>
#include <utility>

#include "platform/linux/x11/ProcessExecutable.h"
#include "platform/linux/x11/WindowBatch.h"
#include "platform/linux/x11/WindowTree.h"
#include "platform/linux/x11/XConnection.h"
#include "platform/linux/x11/XProperties.h"

namespace quorbel {
namespace {

// Titles and class names are cut to what the keyset logic reads.
constexpr std::size_t kMaxNameCharacters = 254;

// How long the process the window in front stated serves the question for
// that window's process: the keyset choice asks it straight after.
constexpr std::chrono::milliseconds kFrontProcessLife{20};

// Source indication in an activation request: a tool acting for the user.
constexpr long kActivationFromTool = 2;

}  // namespace

struct X11Desktop::Impl {
  Display* display() const { return connection->display(); }
  Window root() const { return connection->root(); }
  const x11::Atoms& atoms() const { return connection->atoms(); }

  Window FindFront() {
    const x11::FrontWindow front =
        x11::ActiveOrFocusedWindow(display(), root(), atoms().netActiveWindow);
    if (front.active || front.window == 0) return front.window;
    // The focus may be on a child of the client window, or on a frame around it.
    const Window focus = front.window;
    const Atom wmState = atoms().wmState;
    if (Window client = x11::FocusedTopLevelClient(display(), focus, root(), wmState)) {
      return client;
    }
    const Window top = x11::TopLevelOf(display(), focus, root());
    if (top == 0) return 0;
    const Window client = x11::ClientWindowOf(display(), top, wmState);
    return client != 0 ? client : top;
  }

  // The process the window in front stated when it was found there, for the
  // question that follows at once; 0 otherwise. Used once.
  int TakeFrontProcess(Window window) {
    const StatedProcess known = std::exchange(frontProcess, {});
    const bool fresh = std::chrono::steady_clock::now() - known.learnt <= kFrontProcessLife;
    return known.window == window && fresh ? known.processId : 0;
  }

  // The process of the client that created the window, as the server knows it.
  int ServerProcessId(Window window) const {
    if (!hasClientIds) return 0;
    XResClientIdSpec client{window, XRES_CLIENT_ID_PID_MASK};
    long count = 0;
    XResClientIdValue* ids = nullptr;
    if (XResQueryClientIds(display(), 1, &client, &count, &ids) != Success) return 0;
    int processId = 0;
    for (long i = 0; i < count && processId == 0; ++i) {
      processId = x11::ValidProcessId(XResGetClientPid(&ids[i]));
    }
    XResClientIdsDestroy(count, ids);
    return processId;
  }

  std::unique_ptr<x11::XConnection> connection;
  bool hasClientIds = false;  // the server can tell a client's process id
  // The window last found in front. Its process is asked for together with
  // the question for the window in front, which is most often the same
  // window again; the answer then serves the next ProcessId of that window.
  Window lastFront = 0;
  struct StatedProcess {
    Window window = 0;
    int processId = 0;
    std::chrono::steady_clock::time_point learnt;
  } frontProcess;
};

std::unique_ptr<X11Desktop> X11Desktop::Connect(const std::string& displayName) {
  auto impl = std::make_unique<Impl>();
  impl->connection = x11::XConnection::Open(displayName);
  if (!impl->connection) return nullptr;
  int event = 0;
  int error = 0;
  int major = 0;
  int minor = 0;
  // Process ids of clients came with version 1.2 of the resource extension.
  impl->hasClientIds = XResQueryExtension(impl->display(), &event, &error) &&
                       XResQueryVersion(impl->display(), &major, &minor) != 0 &&
                       (major > 1 || (major == 1 && minor >= 2));
  return std::unique_ptr<X11Desktop>(new X11Desktop(std::move(impl)));
}

X11Desktop::X11Desktop(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

X11Desktop::~X11Desktop() = default;

WindowId X11Desktop::ForegroundWindow() {
  auto lock = impl_->connection->Lock();
  std::optional<x11::StatedProcessQuestion> guess;
  if (impl_->lastFront != 0) {
    guess.emplace(impl_->display(), impl_->lastFront, impl_->atoms().netWmPid);
  }
  const Window front = impl_->FindFront();
  impl_->lastFront = front;
  impl_->frontProcess = {};
  if (guess && front == guess->window()) {
    // Asked in the same breath as the window in front: the process of the
    // very window found there.
    impl_->frontProcess = {front, guess->Answer(), std::chrono::steady_clock::now()};
  }
  return front;
}

std::vector<WindowId> X11Desktop::TopLevelWindows() {
  auto lock = impl_->connection->Lock();
  Display* display = impl_->display();
  auto clients = x11::ReadWindows(display, impl_->root(), impl_->atoms().netClientList);
  std::vector<WindowId> windows(clients.begin(), clients.end());
  if (!windows.empty()) return windows;
  const auto tops = x11::ChildrenOf(display, impl_->root());
  for (Window client : x11::ClientsOfTopLevels(display, tops, impl_->atoms().wmState)) {
    if (client != 0) windows.push_back(client);
  }
  return windows;
}

std::string X11Desktop::WindowTitle(WindowId window) {
  auto lock = impl_->connection->Lock();
  const auto id = static_cast<Window>(window);
  const x11::Atoms& atoms = impl_->atoms();
  std::string title = x11::ReadText(impl_->display(), id, atoms.netWmName, atoms.utf8String);
  if (title.empty()) title = x11::ReadText(impl_->display(), id, XA_WM_NAME, atoms.utf8String);
  return x11::CutToCharacters(title, kMaxNameCharacters);
}

std::string X11Desktop::WindowClass(WindowId window) {
  auto lock = impl_->connection->Lock();
  XClassHint hint{};
  if (XGetClassHint(impl_->display(), static_cast<Window>(window), &hint) == 0) return {};
  x11::XPtr<char> name(hint.res_name);
  x11::XPtr<char> windowClass(hint.res_class);
  if (windowClass == nullptr) return {};
  return x11::CutToCharacters(windowClass.get(), kMaxNameCharacters);
}

int X11Desktop::ProcessId(WindowId window) {
  auto lock = impl_->connection->Lock();
  const auto id = static_cast<Window>(window);
  if (int processId = impl_->TakeFrontProcess(id)) return processId;
  if (auto pid = x11::ReadCardinal(impl_->display(), id, impl_->atoms().netWmPid)) {
    if (int processId = x11::ValidProcessId(static_cast<long long>(*pid))) return processId;
  }
  return impl_->ServerProcessId(id);
}

std::vector<WindowFacts> X11Desktop::DescribeWindows(const std::vector<WindowId>& windows) {
  auto lock = impl_->connection->Lock();
  const std::vector<Window> ids(windows.begin(), windows.end());
  std::vector<WindowFacts> facts =
      x11::DescribeWindows(impl_->display(), impl_->atoms(), ids, impl_->hasClientIds);
  for (WindowFacts& window : facts) {
    window.title = x11::CutToCharacters(window.title, kMaxNameCharacters);
    window.windowClass = x11::CutToCharacters(window.windowClass, kMaxNameCharacters);
  }
  return facts;
}

std::string X11Desktop::ExecutablePath(int processId) { return ProcessExecutable(processId); }

Point X11Desktop::CursorPosition() {
  auto lock = impl_->connection->Lock();
  Window root = 0;
  Window child = 0;
  Point screen;
  Point inWindow;
  unsigned int buttons = 0;
  if (!XQueryPointer(impl_->display(), impl_->root(), &root, &child, &screen.x, &screen.y,
                     &inWindow.x, &inWindow.y, &buttons)) {
    return Point{};
  }
  return screen;
}

Point X11Desktop::ScreenToClient(WindowId window, Point screen) {
  auto lock = impl_->connection->Lock();
  Point client;
  Window child = 0;
  if (!XTranslateCoordinates(impl_->display(), impl_->root(), static_cast<Window>(window), screen.x,
                             screen.y, &client.x, &client.y, &child)) {
    return screen;
  }
  return client;
}

void X11Desktop::RestoreWindow(WindowId window) {
  auto lock = impl_->connection->Lock();
  Display* display = impl_->display();
  const auto id = static_cast<Window>(window);
  XMapRaised(display, id);
  XEvent activate{};
  activate.xclient.type = ClientMessage;
  activate.xclient.window = id;
  activate.xclient.message_type = impl_->atoms().netActiveWindow;
  activate.xclient.format = 32;
  activate.xclient.data.l[0] = kActivationFromTool;
  activate.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, impl_->root(), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &activate);
  XSync(display, False);
}

}  // namespace quorbel
