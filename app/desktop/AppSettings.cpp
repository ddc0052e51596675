#include "app/desktop/AppSettings.h"

#include "app/desktop/AppPaths.h"

#include <wx/fileconf.h>
#include <wx/log.h>

#include <charconv>
#include <iostream>
#include <system_error>

namespace kelmora {

namespace {

constexpr char kAppName[] = "kelmora";
constexpr char kSettingsFileName[] = "kelmora.conf";

std::unique_ptr<AppSettings>& ProcessSettings()
{
    static std::unique_ptr<AppSettings> settings;
    return settings;
}

wxString SettingsKey(std::string_view key)
{
    return wxString::FromUTF8(AppSettings::kSettingsGroup) + "/" + wxString::FromUTF8(key.data(), key.size());
}

} // namespace

AppSettings::AppSettings(std::filesystem::path file) : m_file(std::move(file))
{
    // A damaged or unreadable file is not worth a message: what cannot be read takes
    // its default.
    wxLogNull quiet;
    m_config = std::make_unique<wxFileConfig>(kAppName, kVendor, wxString::FromUTF8(m_file.string()), wxEmptyString,
                                              wxCONFIG_USE_LOCAL_FILE);
}

AppSettings::~AppSettings()
{
    // Everything was written when it changed; the object must not write again on its
    // way out (and report nothing there).
    m_config->DisableAutoSave();
}

std::filesystem::path AppSettings::DefaultFile()
{
    return UserConfigFolder() / kSettingsFileName;
}

int AppSettings::GetInt(std::string_view key, int defaultValue) const
{
    wxString text;
    if (!m_config->Read(SettingsKey(key), &text))
        return defaultValue;
    const std::string digits = text.utf8_string();
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return defaultValue;
    return value;
}

void AppSettings::WriteInt(std::string_view key, int value)
{
    m_config->Write(SettingsKey(key), long(value));
    Flush();
}

std::string AppSettings::GetString(std::string_view key, const std::string& defaultValue) const
{
    wxString text;
    return m_config->Read(SettingsKey(key), &text) ? text.utf8_string() : defaultValue;
}

void AppSettings::WriteString(std::string_view key, const std::string& value)
{
    m_config->Write(SettingsKey(key), wxString::FromUTF8(value));
    Flush();
}

bool AppSettings::Flush()
{
    bool written = false;
    {
        wxLogNull quiet;
        std::error_code error;
        std::filesystem::create_directories(m_file.parent_path(), error);
        written = m_config->Flush();
    }
    if (written || m_bReported)
        return written;
    m_bReported = true;
    const std::string message = "The settings cannot be saved to \"" + m_file.string()
        + "\". Changes to the settings will be lost when the program ends.";
    if (m_reporter)
        m_reporter(message);
    else
        std::cerr << message << '\n';
    return false;
}

AppSettings& GetAppSettings()
{
    std::unique_ptr<AppSettings>& settings = ProcessSettings();
    if (!settings)
        settings = std::make_unique<AppSettings>(AppSettings::DefaultFile());
    return *settings;
}

std::unique_ptr<AppSettings> InstallAppSettings(std::unique_ptr<AppSettings> settings)
{
    return std::exchange(ProcessSettings(), std::move(settings));
}

} // namespace kelmora
