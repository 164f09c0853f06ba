// Asks a window to close the way a window manager does: a WM_PROTOCOLS client
// message carrying WM_DELETE_WINDOW. Usage: wm_close WINDOW_ID
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: wm_close WINDOW_ID\n");
    return 2;
  }
  Display* D = XOpenDisplay(nullptr);
  if (!D) {
    std::fprintf(stderr, "wm_close: cannot open display\n");
    return 1;
  }
  const Window W = Window(std::strtoul(argv[1], nullptr, 0));
  XEvent E{};
  E.xclient.type = ClientMessage;
  E.xclient.window = W;
  E.xclient.message_type = XInternAtom(D, "WM_PROTOCOLS", False);
  E.xclient.format = 32;
  E.xclient.data.l[0] = long(XInternAtom(D, "WM_DELETE_WINDOW", False));
  E.xclient.data.l[1] = CurrentTime;
  const Status Sent = XSendEvent(D, W, False, NoEventMask, &E);
  XSync(D, False);
  XCloseDisplay(D);
  return Sent ? 0 : 1;
}
