#include "app/WebLink.h"

#include <utility>

#include <wx/utils.h>

#include "platform/base/TextEncoding.h"

namespace kelmora {

namespace {

bool LaunchWithDefaultBrowser(const std::string& url, BrowserWindow window)
{
    const int flags = window == BrowserWindow::New ? wxBROWSER_NEW_WINDOW : 0;
    return wxLaunchDefaultBrowser(wxString::FromUTF8(url.data(), url.size()), flags);
}

BrowserLauncher& CurrentLauncher()
{
    static BrowserLauncher launcher = LaunchWithDefaultBrowser;
    return launcher;
}

// Strips `scheme` followed by ':' from the front of `url`, comparing without case.
bool StripScheme(std::string_view& url, std::string_view scheme)
{
    if (url.size() <= scheme.size() || url[scheme.size()] != ':')
        return false;
    for (size_t i = 0; i < scheme.size(); ++i) {
        char c = url[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != scheme[i])
            return false;
    }
    url.remove_prefix(scheme.size() + 1);
    return true;
}

} // namespace

bool IsOpenableWebLink(std::string_view url)
{
    if (url.empty() || !IsValidUtf8(url))
        return false;
    for (const char c : url) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F)
            return false;
    }
    std::string_view rest = url;
    if (StripScheme(rest, "http") || StripScheme(rest, "https")) {
        // A host must follow the two slashes; "http:foo" and "http:///x" are not web links.
        return rest.size() > 2 && rest.starts_with("//") && rest[2] != '/';
    }
    if (StripScheme(rest, "mailto"))
        return !rest.empty();
    return false;
}

bool OpenWebLink(std::string_view url, BrowserWindow window)
{
    if (!IsOpenableWebLink(url))
        return false;
    return CurrentLauncher()(std::string(url), window);
}

BrowserLauncher SetBrowserLauncher(BrowserLauncher launcher)
{
    if (!launcher)
        launcher = LaunchWithDefaultBrowser;
    return std::exchange(CurrentLauncher(), std::move(launcher));
}

} // namespace kelmora
