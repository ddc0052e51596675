#include "app/desktop/WebLink.h"

#include <system_error>
#include <utility>

#include <wx/log.h>
#include <wx/utils.h>

#include "platform/base/TextEncoding.h"

namespace kelmora {

namespace {

bool LaunchWithDefaultBrowser(const std::string& url, BrowserWindow window)
{
    const int flags = window == BrowserWindow::New ? wxBROWSER_NEW_WINDOW : 0;
    // A launch that fails is the caller's to report (a link beeps, Help says so): the
    // toolkit's own error box, about its launcher's system error, stays shut.
    wxLogNull quiet;
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

bool OpenLocalPage(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return false;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error).lexically_normal();
    if (error)
        return false;
    // Everything but unreserved characters and '/' is percent-encoded, so that no byte of
    // the path can end the address or start a query.
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char c : absolute.string()) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9')
            || byte == '-' || byte == '_' || byte == '.' || byte == '~' || byte == '/';
        if (plain) {
            url.push_back(c);
        } else {
            url.push_back('%');
            url.push_back(kHex[byte >> 4]);
            url.push_back(kHex[byte & 0xF]);
        }
    }
    return CurrentLauncher()(url, BrowserWindow::New);
}

BrowserLauncher SetBrowserLauncher(BrowserLauncher launcher)
{
    if (!launcher)
        launcher = LaunchWithDefaultBrowser;
    return std::exchange(CurrentLauncher(), std::move(launcher));
}

} // namespace kelmora
