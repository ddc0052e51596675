#pragma once
// The per-user settings of the program: one wxFileConfig file in the user's configuration
// folder, written by the vendor "Vantorel Software". The program's own values live in
// the group "Settings" (the application look, window and pane state); the recent-files
// list has the group "Recent File List".
//
// Settings never stop the program: a file that cannot be read, or holds lines or values
// that do not parse, gives the defaults for what it lacks; a file that cannot be written
// (read-only home, full disk) is reported once through the problem reporter and the
// program goes on with the values in memory.
//
// UI thread only.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class wxFileConfig;

namespace kelmora {

class AppSettings {
public:
    static constexpr const char* kVendor = "Vantorel Software";
    static constexpr const char* kSettingsGroup = "/Settings";
    static constexpr const char* kRecentFilesGroup = "/Recent File List";

    // Reads the settings at `file` (created by the first write).
    explicit AppSettings(std::filesystem::path file);
    ~AppSettings();
    AppSettings(const AppSettings&) = delete;
    AppSettings& operator=(const AppSettings&) = delete;

    // The file of the user's settings.
    static std::filesystem::path DefaultFile();
    const std::filesystem::path& File() const { return m_file; }

    // A whole number stored under "Settings"; `defaultValue` when it is missing or is no
    // number.
    int GetInt(std::string_view key, int defaultValue) const;
    // Stores the number and writes the file.
    void WriteInt(std::string_view key, int value);
    // A text stored under "Settings"; `defaultValue` when it is missing.
    std::string GetString(std::string_view key, const std::string& defaultValue) const;
    // Stores the text and writes the file.
    void WriteString(std::string_view key, const std::string& value);

    // The configuration object, for the parts that store groups of their own (the
    // recent-files list); call Flush after changing it.
    wxFileConfig& Config() { return *m_config; }

    // Writes the file; false when it cannot be written, which is reported the first time.
    bool Flush();

    // Receives the one report of an unwritable settings file; the default writes it to
    // the standard error stream.
    using ProblemReporter = std::function<void(const std::string& message)>;
    void SetProblemReporter(ProblemReporter reporter) { m_reporter = std::move(reporter); }

private:
    std::filesystem::path m_file;
    std::unique_ptr<wxFileConfig> m_config;
    ProblemReporter m_reporter;
    bool m_bReported = false;
};

// The settings of this process: those installed last, else the user's settings file.
AppSettings& GetAppSettings();
// Makes `settings` the settings of this process and hands back the previous ones.
std::unique_ptr<AppSettings> InstallAppSettings(std::unique_ptr<AppSettings> settings);

} // namespace kelmora
