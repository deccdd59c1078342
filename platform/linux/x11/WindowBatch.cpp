#include "platform/linux/x11/WindowBatch.h"

#include <X11/Xatom.h>
#include <X11/Xlib-xcb.h>
#include <xcb/res.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/linux/x11/WindowTree.h"
#include "platform/linux/x11/XProperties.h"

namespace quorbel::x11 {
namespace {

// Frees what XCB handed over.
struct FreeDeleter {
  void operator()(void* memory) const { std::free(memory); }
};
template <typename T>
using XcbPtr = std::unique_ptr<T, FreeDeleter>;

using PropertyReply = XcbPtr<xcb_get_property_reply_t>;

// The reply of a property request; null when the window is gone.
PropertyReply TakeProperty(xcb_connection_t* connection, xcb_get_property_cookie_t cookie) {
  xcb_generic_error_t* error = nullptr;
  PropertyReply reply(xcb_get_property_reply(connection, cookie, &error));
  XcbPtr<xcb_generic_error_t> failure(error);
  return failure ? nullptr : std::move(reply);
}

xcb_get_property_cookie_t AskProperty(xcb_connection_t* connection, Window window, Atom property,
                                      Atom type, long length = kMaxPropertyLength) {
  return xcb_get_property(connection, 0, static_cast<xcb_window_t>(window),
                          static_cast<xcb_atom_t>(property), static_cast<xcb_atom_t>(type), 0,
                          static_cast<std::uint32_t>(length));
}

std::string Text(Display* display, const PropertyReply& reply, Atom utf8String) {
  if (!reply || reply->type == XCB_ATOM_NONE) return {};
  const auto* data = static_cast<const unsigned char*>(xcb_get_property_value(reply.get()));
  const int length = xcb_get_property_value_length(reply.get());
  return TextOfValue(display, reply->type, reply->format, data,
                     static_cast<unsigned long>(length > 0 ? length : 0), utf8String);
}

// The class part of WM_CLASS: the text after the instance name's zero byte.
std::string ClassOf(const PropertyReply& reply) {
  if (!reply || reply->type != XA_STRING || reply->format != 8) return {};
  const auto* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
  const int length = xcb_get_property_value_length(reply.get());
  if (data == nullptr || length <= 0) return {};
  const std::string value(data, static_cast<std::size_t>(length));
  const std::size_t nameEnd = value.find('\0');
  if (nameEnd == std::string::npos) return {};
  const std::string rest = value.substr(nameEnd + 1);
  return rest.substr(0, rest.find('\0'));
}

int ProcessOf(const PropertyReply& reply) {
  if (!reply || reply->type != XA_CARDINAL || reply->format != 32) return 0;
  if (xcb_get_property_value_length(reply.get()) < 4) return 0;
  std::uint32_t value = 0;
  std::memcpy(&value, xcb_get_property_value(reply.get()), sizeof value);
  return ValidProcessId(value);
}

// The first window of a WINDOW property; 0 when there is none.
Window FirstWindow(const PropertyReply& reply) {
  if (!reply || reply->type != XA_WINDOW || reply->format != 32) return 0;
  if (xcb_get_property_value_length(reply.get()) < 4) return 0;
  std::uint32_t value = 0;
  std::memcpy(&value, xcb_get_property_value(reply.get()), sizeof value);
  return value;
}

int ServerProcessOf(xcb_connection_t* connection, xcb_res_query_client_ids_cookie_t cookie) {
  xcb_generic_error_t* error = nullptr;
  XcbPtr<xcb_res_query_client_ids_reply_t> reply(
      xcb_res_query_client_ids_reply(connection, cookie, &error));
  XcbPtr<xcb_generic_error_t> failure(error);
  if (failure || !reply) return 0;
  for (auto ids = xcb_res_query_client_ids_ids_iterator(reply.get()); ids.rem > 0;
       xcb_res_client_id_value_next(&ids)) {
    // The id's description leads its value (the first member of the record).
    const auto* asked = reinterpret_cast<const xcb_res_client_id_spec_t*>(ids.data);
    if ((asked->mask & XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID) == 0) continue;
    if (xcb_res_client_id_value_value_length(ids.data) < 1) continue;
    if (int processId = ValidProcessId(*xcb_res_client_id_value_value(ids.data))) return processId;
  }
  return 0;
}

// A window under a top-level window, as far down as clients are looked for.
struct TreeNode {
  Window window = 0;
  int depth = 0;
  bool hasState = false;
  std::vector<std::size_t> children;  // indexes into the walk's nodes
};

// What FindClient of the window tree finds, from the nodes gathered.
Window FirstClient(const std::vector<TreeNode>& nodes, std::size_t at) {
  const TreeNode& node = nodes[at];
  if (node.hasState) return node.window;
  for (const std::size_t child : node.children) {
    if (Window client = FirstClient(nodes, child)) return client;
  }
  return 0;
}

}  // namespace

std::vector<WindowFacts> DescribeWindows(Display* display, const Atoms& atoms,
                                         const std::vector<Window>& windows, bool askServer) {
  xcb_connection_t* connection = XGetXCBConnection(display);
  struct Asked {
    xcb_get_property_cookie_t netName, name, windowClass, process;
  };
  std::vector<Asked> asked;
  asked.reserve(windows.size());
  for (const Window window : windows) {
    asked.push_back(Asked{
        AskProperty(connection, window, atoms.netWmName, XCB_GET_PROPERTY_TYPE_ANY),
        AskProperty(connection, window, XA_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY),
        AskProperty(connection, window, XA_WM_CLASS, XA_STRING),
        AskProperty(connection, window, atoms.netWmPid, XA_CARDINAL, 1),
    });
  }
  std::vector<WindowFacts> facts(windows.size());
  for (std::size_t i = 0; i < windows.size(); ++i) {
    facts[i].title = Text(display, TakeProperty(connection, asked[i].netName), atoms.utf8String);
    PropertyReply name = TakeProperty(connection, asked[i].name);
    if (facts[i].title.empty()) facts[i].title = Text(display, name, atoms.utf8String);
    facts[i].windowClass = ClassOf(TakeProperty(connection, asked[i].windowClass));
    facts[i].processId = ProcessOf(TakeProperty(connection, asked[i].process));
  }
  if (!askServer) return facts;

  // A second round for the windows whose client did not state its process.
  std::vector<std::pair<std::size_t, xcb_res_query_client_ids_cookie_t>> server;
  for (std::size_t i = 0; i < windows.size(); ++i) {
    if (facts[i].processId != 0) continue;
    const xcb_res_client_id_spec_t client{static_cast<std::uint32_t>(windows[i]),
                                        XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
    server.emplace_back(i, xcb_res_query_client_ids(connection, 1, &client));
  }
  for (const auto& [index, cookie] : server) {
    facts[index].processId = ServerProcessOf(connection, cookie);
  }
  return facts;
}

std::vector<Window> ClientsOfTopLevels(Display* display, const std::vector<Window>& tops,
                                       Atom wmState) {
  xcb_connection_t* connection = XGetXCBConnection(display);
  std::vector<xcb_get_window_attributes_cookie_t> attributes;
  attributes.reserve(tops.size());
  for (const Window top : tops) {
    attributes.push_back(xcb_get_window_attributes(connection, static_cast<xcb_window_t>(top)));
  }
  std::vector<TreeNode> nodes;
  nodes.reserve(tops.size());
  for (const Window top : tops) nodes.push_back(TreeNode{top, 0, false, {}});

  // One round per level: whether each window carries WM_STATE and, above the
  // deepest level, its children.
  std::size_t levelBegin = 0;
  while (levelBegin < nodes.size()) {
    const std::size_t levelEnd = nodes.size();
    std::vector<xcb_get_property_cookie_t> states;
    std::vector<xcb_query_tree_cookie_t> trees;
    for (std::size_t i = levelBegin; i < levelEnd; ++i) {
      states.push_back(
          AskProperty(connection, nodes[i].window, wmState, XCB_GET_PROPERTY_TYPE_ANY, 0));
      trees.push_back(xcb_query_tree(connection, static_cast<xcb_window_t>(nodes[i].window)));
    }
    for (std::size_t i = levelBegin; i < levelEnd; ++i) {
      PropertyReply state = TakeProperty(connection, states[i - levelBegin]);
      nodes[i].hasState = state && state->type != XCB_ATOM_NONE;
      xcb_generic_error_t* error = nullptr;
      XcbPtr<xcb_query_tree_reply_t> tree(
          xcb_query_tree_reply(connection, trees[i - levelBegin], &error));
      XcbPtr<xcb_generic_error_t> failure(error);
      if (nodes[i].hasState || nodes[i].depth == kMaxClientDepth || failure || !tree) continue;
      const xcb_window_t* children = xcb_query_tree_children(tree.get());
      const int count = xcb_query_tree_children_length(tree.get());
      for (int c = 0; c < count; ++c) {
        nodes[i].children.push_back(nodes.size());
        nodes.push_back(TreeNode{children[c], nodes[i].depth + 1, false, {}});
      }
    }
    levelBegin = levelEnd;
  }

  std::vector<Window> clients(tops.size(), 0);
  for (std::size_t i = 0; i < tops.size(); ++i) {
    xcb_generic_error_t* error = nullptr;
    XcbPtr<xcb_get_window_attributes_reply_t> shown(
        xcb_get_window_attributes_reply(connection, attributes[i], &error));
    XcbPtr<xcb_generic_error_t> failure(error);
    if (Window client = FirstClient(nodes, i)) {
      clients[i] = client;
    } else if (!failure && shown && shown->map_state == XCB_MAP_STATE_VIEWABLE &&
               shown->override_redirect == 0) {
      clients[i] = tops[i];
    }
  }
  return clients;
}

StatedProcessQuestion::StatedProcessQuestion(Display* display, Window window, Atom netWmPid)
    : display_(display),
      window_(window),
      sequence_(AskProperty(XGetXCBConnection(display), window, netWmPid, XA_CARDINAL, 1).sequence) {}

StatedProcessQuestion::~StatedProcessQuestion() {
  if (!answered_) xcb_discard_reply(XGetXCBConnection(display_), sequence_);
}

int StatedProcessQuestion::Answer() {
  if (answered_) return 0;
  answered_ = true;
  return ProcessOf(TakeProperty(XGetXCBConnection(display_), xcb_get_property_cookie_t{sequence_}));
}

FrontWindow ActiveOrFocusedWindow(Display* display, Window root, Atom netActiveWindow) {
  xcb_connection_t* connection = XGetXCBConnection(display);
  const auto active = AskProperty(connection, root, netActiveWindow, XA_WINDOW, 1);
  const xcb_get_input_focus_cookie_t focus = xcb_get_input_focus(connection);
  if (const Window window = FirstWindow(TakeProperty(connection, active))) {
    xcb_discard_reply(connection, focus.sequence);
    return {window, true};
  }
  xcb_generic_error_t* error = nullptr;
  XcbPtr<xcb_get_input_focus_reply_t> reply(xcb_get_input_focus_reply(connection, focus, &error));
  XcbPtr<xcb_generic_error_t> failure(error);
  if (!reply || reply->focus == XCB_NONE || reply->focus == XCB_INPUT_FOCUS_POINTER_ROOT) return {};
  return {reply->focus, false};
}

Window FocusedTopLevelClient(Display* display, Window focus, Window root, Atom wmState) {
  xcb_connection_t* connection = XGetXCBConnection(display);
  const xcb_query_tree_cookie_t tree = xcb_query_tree(connection, static_cast<xcb_window_t>(focus));
  const auto state = AskProperty(connection, focus, wmState, AnyPropertyType, 0);
  xcb_generic_error_t* error = nullptr;
  XcbPtr<xcb_query_tree_reply_t> place(xcb_query_tree_reply(connection, tree, &error));
  XcbPtr<xcb_generic_error_t> failure(error);
  const PropertyReply marked = TakeProperty(connection, state);
  if (!place || place->parent != root) return 0;
  if (marked && marked->type != XCB_ATOM_NONE) return focus;
  return place->children_len == 0 ? focus : 0;
}

}  // namespace quorbel::x11
