#include "platform/ui/ClassicScrollbars.h"

#include <wx/window.h>

#include <glib-object.h>

namespace kelmora {

namespace {

// The outer widget of a window with scrollbars of its own is a GtkScrolledWindow, which
// has the "overlay-scrolling" property; other widgets do not.
GObject* ScrolledWidget(wxWindow& window)
{
    auto* widget = reinterpret_cast<GObject*>(window.GetHandle());
    if (!widget || !G_IS_OBJECT(widget) || !g_object_class_find_property(G_OBJECT_GET_CLASS(widget), "overlay-scrolling"))
        return nullptr;
    return widget;
}

} // namespace

void UseClassicScrollbars(wxWindow& window)
{
    if (GObject* widget = ScrolledWidget(window))
        g_object_set(widget, "overlay-scrolling", FALSE, nullptr);
}

bool HasOverlayScrollbars(wxWindow& window)
{
    GObject* widget = ScrolledWidget(window);
    if (!widget)
        return false;
    gboolean overlay = FALSE;
    g_object_get(widget, "overlay-scrolling", &overlay, nullptr);
    return overlay;
}

} // namespace kelmora
