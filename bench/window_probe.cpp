// window_probe PID: waits until a top-level window of process PID is mapped, then sends
// that window a _NET_WM_PING and waits for the answer, which the program sends from its
// event loop. Prints two wall-clock times (nanoseconds since the epoch): when the window
// was seen mapped and when the program answered. Exit status 1 on time-out.
//
// The ping answer is what makes this a start-up measure rather than a map measure: the
// program has to have finished the work it queued in front of the ping (first paint,
// deferred set-up) before its event loop reaches it.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/select.h>

namespace {

// Wall-clock nanoseconds, the same clock as `date +%s%N` in the script.
long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

long windowPid(Display *dpy, Window w, Atom pidAtom)
{
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char *data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(dpy, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data)
            == Success
        && data && count == 1 && format == 32)
        pid = static_cast<long>(*reinterpret_cast<unsigned long *>(data));
    if (data)
        XFree(data);
    return pid;
}

bool isViewable(Display *dpy, Window w)
{
    XWindowAttributes attrs;
    return XGetWindowAttributes(dpy, w, &attrs) && attrs.map_state == IsViewable;
}

// A window mapped before we listened: look through the top-level windows once.
Window findMapped(Display *dpy, Window root, long pid, Atom pidAtom)
{
    Window rootRet, parent, *children = nullptr;
    unsigned int n = 0;
    Window found = 0;
    if (XQueryTree(dpy, root, &rootRet, &parent, &children, &n)) {
        for (unsigned int i = 0; i < n && !found; ++i) {
            if (windowPid(dpy, children[i], pidAtom) == pid && isViewable(dpy, children[i]))
                found = children[i];
        }
    }
    if (children)
        XFree(children);
    return found;
}

// Waits for the next event up to the deadline; false on time-out.
bool nextEvent(Display *dpy, XEvent *ev, long long deadline)
{
    while (!XPending(dpy)) {
        const long long left = deadline - nowNs();
        if (left <= 0)
            return false;
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(ConnectionNumber(dpy), &fds);
        timeval tv{static_cast<time_t>(left / 1000000000LL), static_cast<suseconds_t>((left % 1000000000LL) / 1000)};
        select(ConnectionNumber(dpy) + 1, &fds, nullptr, nullptr, &tv);
    }
    XNextEvent(dpy, ev);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_probe PID [TIMEOUT_SECONDS]\n");
        return 2;
    }
    const long pid = std::atol(argv[1]);
    const long long deadline = nowNs() + (argc > 2 ? std::atoll(argv[2]) : 60) * 1000000000LL;

    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "window_probe: cannot open display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(dpy);
    const Atom pidAtom = XInternAtom(dpy, "_NET_WM_PID", False);
    const Atom protocols = XInternAtom(dpy, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(dpy, "_NET_WM_PING", False);
    // Map notifications of top-level windows, and the ping answer, arrive on the root window.
    XSelectInput(dpy, root, SubstructureNotifyMask | StructureNotifyMask);
    XSync(dpy, False);

    Window win = findMapped(dpy, root, pid, pidAtom);
    XEvent ev;
    while (!win) {
        if (!nextEvent(dpy, &ev, deadline)) {
            std::fprintf(stderr, "window_probe: no window of process %ld was mapped\n", pid);
            return 1;
        }
        if (ev.type == MapNotify && ev.xmap.event == root && windowPid(dpy, ev.xmap.window, pidAtom) == pid)
            win = ev.xmap.window;
    }
    const long long mapped = nowNs();

    XEvent msg{};
    msg.xclient.type = ClientMessage;
    msg.xclient.window = win;
    msg.xclient.message_type = protocols;
    msg.xclient.format = 32;
    msg.xclient.data.l[0] = static_cast<long>(ping);
    msg.xclient.data.l[1] = CurrentTime;
    msg.xclient.data.l[2] = static_cast<long>(win);
    XSendEvent(dpy, win, False, NoEventMask, &msg);
    XFlush(dpy);
    for (;;) {
        if (!nextEvent(dpy, &ev, deadline)) {
            std::fprintf(stderr, "window_probe: process %ld did not answer the ping\n", pid);
            return 1;
        }
        if (ev.type == ClientMessage && ev.xclient.message_type == protocols
            && static_cast<Atom>(ev.xclient.data.l[0]) == ping
            && static_cast<Window>(ev.xclient.data.l[2]) == win)
            break;
    }
    std::printf("%lld %lld\n", mapped, nowNs());
    XCloseDisplay(dpy);
    return 0;
}
