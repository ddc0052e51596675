#pragma once
// What the window manager has made of this process's windows, read from the X server as a
// user sees it: which window is on top, where a window lies, which one a dialog belongs
// to. Other test processes share the display, so only this process's windows count.
// Include it last: the X headers define names such as None and Status.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <unistd.h>

#include <string>
#include <vector>

#include <wx/gdicmn.h>

namespace kelmora::apptest {

class WindowManagerProbe {
public:
    WindowManagerProbe() : m_display(XOpenDisplay(nullptr)) { }
    ~WindowManagerProbe()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    WindowManagerProbe(const WindowManagerProbe&) = delete;
    WindowManagerProbe& operator=(const WindowManagerProbe&) = delete;

    bool HasWindowManager() const { return m_display && !Property(Root(), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty(); }

    // This process's managed windows, bottom to top.
    std::vector<Window> OwnWindows() const
    {
        std::vector<Window> own;
        for (const unsigned long window : Property(Root(), "_NET_CLIENT_LIST_STACKING", XA_WINDOW)) {
            const std::vector<unsigned long> pid = Property(window, "_NET_WM_PID", XA_CARDINAL);
            if (!pid.empty() && pid.front() == static_cast<unsigned long>(getpid()))
                own.push_back(window);
        }
        return own;
    }

    std::string Title(Window window) const
    {
        char* name = nullptr;
        const std::string title = XFetchName(m_display, window, &name) && name ? name : "";
        if (name)
            XFree(name);
        return title;
    }

    // The window a dialog belongs to; None for a window of its own.
    Window TransientFor(Window window) const
    {
        Window owner = None;
        return XGetTransientForHint(m_display, window, &owner) ? owner : None;
    }

    // The window's inside on the screen.
    wxRect ScreenRect(Window window) const
    {
        XWindowAttributes attributes;
        int x = 0;
        int y = 0;
        Window child = None;
        if (!XGetWindowAttributes(m_display, window, &attributes)
            || !XTranslateCoordinates(m_display, window, Root(), 0, 0, &x, &y, &child))
            return wxRect();
        return wxRect(x, y, attributes.width, attributes.height);
    }

    // The window on the screen with the decorations the window manager puts round it.
    wxRect OuterRect(Window window) const
    {
        wxRect outer = ScreenRect(window);
        const std::vector<unsigned long> extents = Property(window, "_NET_FRAME_EXTENTS", XA_CARDINAL);
        if (extents.size() == 4) {
            outer.x -= int(extents[0]);
            outer.width += int(extents[0] + extents[1]);
            outer.y -= int(extents[2]);
            outer.height += int(extents[2] + extents[3]);
        }
        return outer;
    }

    // Asks the window to close, as its close box does.
    void Close(Window window) const
    {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = long(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(m_display, window, False, NoEventMask, &event);
        XFlush(m_display);
    }

private:
    Window Root() const { return DefaultRootWindow(m_display); }

    // A property of 32-bit items (which Xlib hands out in longs).
    std::vector<unsigned long> Property(Window window, const char* name, Atom type) const
    {
        std::vector<unsigned long> items;
        Atom actualType = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(m_display, window, XInternAtom(m_display, name, False), 0, 4096, False, type,
                               &actualType, &format, &count, &remaining, &data)
                == Success
            && data && format == 32) {
            const auto* values = reinterpret_cast<const unsigned long*>(data);
            items.assign(values, values + count);
        }
        if (data)
            XFree(data);
        return items;
    }

    Display* m_display;
};

} // namespace kelmora::apptest
