// SPDX-License-Identifier: GPL-3.0-or-later
// Asks a top-level X11 window to close the way a window manager's close button does: a
// WM_PROTOCOLS client message carrying WM_DELETE_WINDOW (the window is not destroyed).
//
//   send_wm_delete_window "WINDOW TITLE" [SECONDS]
//
// Waits up to SECONDS (default 20) for a mapped top-level window with that exact title
// that takes part in WM_DELETE_WINDOW, sends the request, and exits 0; exits 1 if none.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> Own(T* reply) {
  return Reply<T>(reply, &std::free);
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  auto reply = Own(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

std::string Title(xcb_connection_t* c, xcb_window_t w, xcb_atom_t utf8) {
  for (xcb_atom_t property : {Atom(c, "_NET_WM_NAME"), static_cast<xcb_atom_t>(XCB_ATOM_WM_NAME)}) {
    const xcb_atom_t type =
        property == XCB_ATOM_WM_NAME ? static_cast<xcb_atom_t>(XCB_ATOM_STRING) : utf8;
    auto reply =
        Own(xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 1024), nullptr));
    if (reply && xcb_get_property_value_length(reply.get()) > 0) {
      return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                         xcb_get_property_value_length(reply.get()));
    }
  }
  return {};
}

bool TakesDeleteWindow(xcb_connection_t* c, xcb_window_t w, xcb_atom_t protocols,
                       xcb_atom_t deleteWindow) {
  auto reply = Own(xcb_get_property_reply(
      c, xcb_get_property(c, 0, w, protocols, XCB_ATOM_ATOM, 0, 64), nullptr));
  if (!reply) return false;
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
  const int count =
      xcb_get_property_value_length(reply.get()) / static_cast<int>(sizeof(xcb_atom_t));
  for (int i = 0; i < count; ++i) {
    if (atoms[i] == deleteWindow) return true;
  }
  return false;
}

bool IsViewable(xcb_connection_t* c, xcb_window_t w) {
  auto reply = Own(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr));
  return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s \"WINDOW TITLE\" [SECONDS]\n", argv[0]);
    return 2;
  }
  const std::string wanted = argv[1];
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 20;

  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c)) {
    std::fprintf(stderr, "cannot connect to the X server\n");
    return 1;
  }
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  const xcb_atom_t protocols = Atom(c, "WM_PROTOCOLS");
  const xcb_atom_t deleteWindow = Atom(c, "WM_DELETE_WINDOW");
  const xcb_atom_t utf8 = Atom(c, "UTF8_STRING");

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    auto tree = Own(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
    const xcb_window_t* children = tree ? xcb_query_tree_children(tree.get()) : nullptr;
    const int count = tree ? xcb_query_tree_children_length(tree.get()) : 0;
    for (int i = 0; i < count; ++i) {
      const xcb_window_t w = children[i];
      if (Title(c, w, utf8) != wanted || !IsViewable(c, w)) continue;
      if (!TakesDeleteWindow(c, w, protocols, deleteWindow)) continue;
      xcb_client_message_event_t message{};
      message.response_type = XCB_CLIENT_MESSAGE;
      message.format = 32;
      message.window = w;
      message.type = protocols;
      message.data.data32[0] = deleteWindow;
      message.data.data32[1] = XCB_CURRENT_TIME;
      // Checked, so that the server has handled the request before this client goes away.
      xcb_generic_error_t* error =
          xcb_request_check(c, xcb_send_event_checked(c, 0, w, XCB_EVENT_MASK_NO_EVENT,
                                                      reinterpret_cast<const char*>(&message)));
      const bool sent = error == nullptr;
      std::free(error);
      xcb_disconnect(c);
      if (!sent) std::fprintf(stderr, "the close request was refused\n");
      return sent ? 0 : 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::fprintf(stderr, "no window titled '%s' appeared\n", wanted.c_str());
  xcb_disconnect(c);
  return 1;
}
