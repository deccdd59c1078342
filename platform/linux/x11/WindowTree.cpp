#include "platform/linux/x11/WindowTree.h"

#include "platform/linux/x11/XConnection.h"
#include "platform/linux/x11/XProperties.h"

namespace quorbel::x11 {
namespace {

Window FindClient(Display* display, Window window, Atom wmState, int depth) {
  if (HasProperty(display, window, wmState)) return window;
  if (depth == kMaxClientDepth) return 0;
  for (Window child : ChildrenOf(display, window)) {
    if (Window client = FindClient(display, child, wmState, depth + 1)) return client;
  }
  return 0;
}

}  // namespace

std::vector<Window> ChildrenOf(Display* display, Window window) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return {};
  XPtr<Window> owned(children);
  if (children == nullptr) return {};
  return std::vector<Window>(children, children + count);
}

Window TopLevelOf(Display* display, Window window, Window root) {
  while (window != 0 && window != root) {
    Window treeRoot = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &treeRoot, &parent, &children, &count) == 0) return 0;
    XPtr<Window> owned(children);
    if (parent == root) return window;
    window = parent;
  }
  return 0;
}

Window ClientWindowOf(Display* display, Window top, Atom wmState) {
  return FindClient(display, top, wmState, 0);
}

}  // namespace quorbel::x11
