#pragma once

// Opening web addresses in the user's browser. Addresses come from the program's own
// links, but are treated as untrusted all the same: only http, https and mailto addresses
// (and the program's own local pages) are handed on, and only to the browser launcher,
// never to a shell.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace kelmora {

enum class BrowserWindow { Existing, New };

// Hands a checked address to the browser; returns whether the browser accepted it.
using BrowserLauncher = std::function<bool(const std::string& url, BrowserWindow window)>;

// True for an http or https address with a host, or a mailto address with a recipient,
// made of valid UTF-8 without spaces or control characters. The scheme is matched
// without regard to case.
bool IsOpenableWebLink(std::string_view url);

// Opens `url` through the current launcher; false (and nothing launched) when the address
// is refused or the launcher fails.
bool OpenWebLink(std::string_view url, BrowserWindow window = BrowserWindow::New);

// Opens the local page at `file` (an existing regular file, made absolute) as a file: URL
// through the same launcher; false when there is no such file or the launcher fails.
bool OpenLocalPage(const std::filesystem::path& file);

// Replaces the process-wide launcher (the default one calls wxLaunchDefaultBrowser) and
// returns the previous one. An empty launcher restores the default.
BrowserLauncher SetBrowserLauncher(BrowserLauncher launcher);

} // namespace kelmora
