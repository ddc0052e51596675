#pragma once
// What the window manager has made of this process's windows, read from the X server as a
// user would see it: which window is on top, where a window lies, which one a dialog
// belongs to. Other test processes share the display, so only this process's windows are
// looked at. Without a window manager there is nothing to ask (HasWindowManager).

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <unistd.h>

#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/gdicmn.h>
#include <wx/utils.h>

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

    bool HasWindowManager() const { return m_display && !Windows(Root(), "_NET_SUPPORTING_WM_CHECK").empty(); }

    // This process's managed windows, bottom to top.
    std::vector<Window> OwnWindows() const
    {
        std::vector<Window> own;
        if (!m_display)
            return own;
        for (const Window window : Windows(Root(), "_NET_CLIENT_LIST_STACKING")) {
            const std::vector<unsigned long> pid = Cardinals(window, "_NET_WM_PID");
            if (!pid.empty() && pid.front() == static_cast<unsigned long>(getpid()))
                own.push_back(window);
        }
        return own;
    }

    std::string Title(Window window) const
    {
        std::string title;
        char* name = nullptr;
        if (XFetchName(m_display, window, &name) && name)
            title = name;
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

    // Asks the window to close, as its close box does.
    void Close(Window window) const
    {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = Intern("WM_PROTOCOLS");
        event.xclient.format = 32;
        event.xclient.data.l[0] = long(Intern("WM_DELETE_WINDOW"));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(m_display, window, False, NoEventMask, &event);
        XFlush(m_display);
    }

    // Lets the program run until `done` holds, a few seconds at most; false on time-out.
    template <class Condition>
    static bool RunUntil(Condition done)
    {
        constexpr int kMaxSteps = 500;
        for (int i = 0; i < kMaxSteps; ++i) {
            if (done())
                return true;
            wxYield();
            wxMilliSleep(10);
        }
        return done();
    }

private:
    Window Root() const { return DefaultRootWindow(m_display); }
    Atom Intern(const char* name) const { return XInternAtom(m_display, name, False); }

    // A property of 32-bit items (held in longs, as Xlib hands them out).
    std::vector<unsigned long> Items(Window window, const char* property, Atom type) const
    {
        std::vector<unsigned long> items;
        Atom actualType = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(m_display, window, Intern(property), 0, 4096, False, type, &actualType, &format, &count,
                               &remaining, &data)
                == Success
            && data && format == 32) {
            const auto* values = reinterpret_cast<const unsigned long*>(data);
            items.assign(values, values + count);
        }
        if (data)
            XFree(data);
        return items;
    }
    std::vector<Window> Windows(Window window, const char* property) const
    {
        const std::vector<unsigned long> items = Items(window, property, XA_WINDOW);
        return std::vector<Window>(items.begin(), items.end());
    }
    std::vector<unsigned long> Cardinals(Window window, const char* property) const
    {
        return Items(window, property, XA_CARDINAL);
    }

    Display* m_display;
};

} // namespace kelmora::apptest
