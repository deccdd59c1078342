// A small X client for the input and desktop tests: it opens windows that
// describe themselves as ordinary programs do, takes the input focus, and
// prints one line per event it receives:
//   ready <window> [<window> ...]   once its windows exist (and are shown)
//   press <keysym> <state>          a key went down; state is the modifier mask
//   release <keysym> <state>
//   button <number> <x> <y>         a button went down at a point of the window
//   mapping <keycode> <keysym>      the symbol of a remapped key, once read
//   mapped                          a hidden window was shown
//   activate <window> <source>      a request to activate a window (--announce)
//
// Options: --display NAME, --title TEXT (sets _NET_WM_NAME and WM_NAME),
// --class TEXT, --legacy-title (WM_NAME only), --no-pid (no _NET_WM_PID),
// --hidden (do not show the window), --windows N (N windows, no focus),
// --announce (stand in for a window manager: publish the windows on the root,
// all in _NET_CLIENT_LIST and the first as _NET_ACTIVE_WINDOW, and take the
// activation requests sent to the root), --at X Y (where the windows' top left
// corners lie on the screen), --click-focus (take the input focus when clicked, as
// a click-to-focus window manager would give it).
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Options {
  const char* display = nullptr;
  std::string title = "Recorder";
  std::string windowClass = "Recorder";
  bool legacyTitle = false;
  bool pid = true;
  bool hidden = false;
  bool announce = false;
  bool clickFocus = false;
  int x = 50;
  int y = 60;
  int windows = 1;
};

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    bool hasValue = i + 1 < argc;
    if (option == "--display" && hasValue) {
      options.display = argv[++i];
    } else if (option == "--title" && hasValue) {
      options.title = argv[++i];
    } else if (option == "--class" && hasValue) {
      options.windowClass = argv[++i];
    } else if (option == "--windows" && hasValue) {
      options.windows = std::atoi(argv[++i]);
    } else if (option == "--legacy-title") {
      options.legacyTitle = true;
    } else if (option == "--no-pid") {
      options.pid = false;
    } else if (option == "--hidden") {
      options.hidden = true;
    } else if (option == "--announce") {
      options.announce = true;
    } else if (option == "--click-focus") {
      options.clickFocus = true;
    } else if (option == "--at" && i + 2 < argc) {
      options.x = std::atoi(argv[++i]);
      options.y = std::atoi(argv[++i]);
    } else {
      std::fprintf(stderr, "recorder: unknown option %s\n", argv[i]);
      std::exit(2);
    }
  }
  return options;
}

// WM_NAME holds Latin-1 text; the title comes as UTF-8 (characters beyond
// Latin-1 become '?').
std::string ToLatin1(const std::string& utf8) {
  std::string latin1;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte < 0x80) {
      latin1 += static_cast<char>(byte);
    } else if ((byte == 0xC2 || byte == 0xC3) && i + 1 < utf8.size()) {
      latin1 += static_cast<char>(((byte & 0x03) << 6) | (utf8[++i] & 0x3F));
    } else if ((byte & 0xC0) != 0x80) {
      latin1 += '?';
    }
  }
  return latin1;
}

void Describe(Display* display, Window window, const Options& options, const std::string& title) {
  XStoreName(display, window, ToLatin1(title).c_str());
  if (!options.legacyTitle) {
    Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, window, netWmName, utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()),
                    static_cast<int>(title.size()));
  }
  std::string name = "recorder";
  XClassHint hint{name.data(), const_cast<char*>(options.windowClass.c_str())};
  XSetClassHint(display, window, &hint);
  if (options.pid) {
    long pid = static_cast<long>(getpid());
    Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    XChangeProperty(display, window, netWmPid, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
  }
}

void WaitForMap(Display* display, Window window) {
  XEvent event;
  do {
    XWindowEvent(display, window, StructureNotifyMask, &event);
  } while (event.type != MapNotify);
}

void Announce(Display* display, const std::vector<Window>& windows) {
  Window root = DefaultRootWindow(display);
  Atom clientList = XInternAtom(display, "_NET_CLIENT_LIST", False);
  Atom activeWindow = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
  XChangeProperty(display, root, clientList, XA_WINDOW, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(windows.data()),
                  static_cast<int>(windows.size()));
  XChangeProperty(display, root, activeWindow, XA_WINDOW, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(windows.data()), 1);
  XSelectInput(display, root, SubstructureRedirectMask);
}

const char* KeysymName(KeySym keysym) {
  const char* name = XKeysymToString(keysym);
  return name != nullptr ? name : "NoSymbol";
}

void PrintKey(XKeyEvent& key, const char* what) {
  char text[16];
  KeySym keysym = NoSymbol;
  XLookupString(&key, text, sizeof text, &keysym, nullptr);
  std::printf("%s %s %u\n", what, KeysymName(keysym), key.state);
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  Options options = ParseOptions(argc, argv);
  Display* display = XOpenDisplay(options.display);
  if (display == nullptr) {
    std::fprintf(stderr, "recorder: cannot open the display\n");
    return 1;
  }
  // Read the keyboard mapping now, as a program that has handled keys before
  // has: Xlib reads it lazily, and only from then on follows its changes.
  int minKeycode = 0;
  int maxKeycode = 0;
  XDisplayKeycodes(display, &minKeycode, &maxKeycode);
  XkbKeycodeToKeysym(display, static_cast<KeyCode>(minKeycode), 0, 0);
  const long events = KeyPressMask | KeyReleaseMask | ButtonPressMask | StructureNotifyMask;
  std::vector<Window> windows;
  for (int i = 0; i < options.windows; ++i) {
    Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), options.x, options.y, 400, 300, 0,
                            BlackPixel(display, 0), WhitePixel(display, 0));
    XSelectInput(display, window, events);
    std::string title =
        options.windows == 1 ? options.title : options.title + " " + std::to_string(i);
    Describe(display, window, options, title);
    if (!options.hidden) {
      XMapWindow(display, window);
      WaitForMap(display, window);
    }
    windows.push_back(window);
  }
  if (options.windows == 1 && !options.hidden) {
    XSetInputFocus(display, windows.front(), RevertToParent, CurrentTime);
  }
  if (options.announce) Announce(display, windows);
  XSync(display, False);
  std::printf("ready");
  for (Window window : windows) std::printf(" %lu", window);
  std::printf("\n");

  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    switch (event.type) {
      case KeyPress:
        PrintKey(event.xkey, "press");
        break;
      case KeyRelease:
        PrintKey(event.xkey, "release");
        break;
      case ButtonPress:
        if (options.clickFocus) {
          XSetInputFocus(display, event.xbutton.window, RevertToParent, CurrentTime);
        }
        std::printf("button %u %d %d\n", event.xbutton.button, event.xbutton.x, event.xbutton.y);
        break;
      case MappingNotify:
        XRefreshKeyboardMapping(&event.xmapping);
        if (event.xmapping.request == MappingKeyboard) {
          auto keycode = static_cast<KeyCode>(event.xmapping.first_keycode);
          std::printf("mapping %d %s\n", event.xmapping.first_keycode,
                      KeysymName(XkbKeycodeToKeysym(display, keycode, 0, 0)));
        }
        break;
      case MapNotify:
        std::printf("mapped\n");
        break;
      case ClientMessage:
        if (event.xclient.message_type == XInternAtom(display, "_NET_ACTIVE_WINDOW", False)) {
          std::printf("activate %lu %ld\n", event.xclient.window, event.xclient.data.l[0]);
        }
        break;
      default:
        break;
    }
  }
}
