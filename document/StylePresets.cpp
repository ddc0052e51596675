// Preset files of caps and brushes: listing, reading, writing, deleting (see StylePresets.h).

#include "document/StylePresets.h"

#include "document/DirRead.h"
#include "document/DrawDocFile.h"
#include "document/zip/SingleFilePacking.h"
#include "model/BrushMan.h"
#include "model/CustomCapMan.h"
#include "platform/archive/Archive.h"
#include "platform/archive/FileStream.h"
#include "platform/base/Guid.h"
#include "platform/base/TempFile.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <system_error>

namespace kelmora {

namespace {

constexpr std::string_view kProgramFolder = "kelmora";

// The two words every archive file of the program starts with, before its kind.
constexpr uint32_t kFormatWord1 = 1;
constexpr uint32_t kFormatWord2 = 0;

std::string Quoted(std::string_view name)
{
    return "\"" + std::string(name) + "\"";
}

int CompareWithoutCase(std::string_view a, std::string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}


// The user's file of preset `name`: the one already there (whatever the case of its
// extension), else a new one.
std::filesystem::path UserPresetFile(const PresetFolders& folders, std::string_view name, std::string_view extension)
{
    const std::vector<PresetEntry> own = ListPresets({{}, folders.user}, extension);
    if (const PresetEntry* entry = FindPreset(own, name))
        return entry->path;
    return folders.user / (std::string(name) + std::string(extension));
}

// Unpacks the preset and reads its record with `load`, which must load into a value of
// its own.
PresetResult ReadPresetRecord(const std::filesystem::path& file, ArchiveKind kind,
                              const std::function<void(Archive&)>& load)
{
    const std::string name = Quoted(file.stem().string());
    std::optional<TempFile> unpacked = TempFile::Create(NewGuidString());
    if (!unpacked)
        return PresetResult::Failure("The preset " + name + " cannot be read: no temporary file can be made.");
    ZipResult unzipped = ZipResult::Success;
    if (!UnzipSingleFile(ArchivePath(file), ContentPath(unpacked->Path()), &unzipped)) {
        const std::optional<std::string> refusal = UnpackRefusal(unzipped);
        return PresetResult::Failure("The preset " + name + " cannot be read: "
                                     + refusal.value_or("it is no preset archive") + ".");
    }
    try {
        std::unique_ptr<FileStream> stream = FileStream::Open(unpacked->Path(), FileOpenMode::Read);
        Archive ar(*stream, ArchiveMode::Load);
        ar.ReadUInt32();
        ar.ReadUInt32();
        if (ar.ReadUInt32() != uint32_t(kind))
            return PresetResult::Failure("The preset " + name + " holds something other than "
                                         + (kind == ArchiveKind::Brush ? "a brush." : "a line cap."));
        load(ar);
    } catch (const std::exception& error) {
        return PresetResult::Failure("The preset " + name + " is damaged (" + error.what() + ").");
    }
    return {};
}

// Loads the preset's record into a value of its own, which `value` takes on success.
template <class T>
PresetResult ReadPresetInto(const std::filesystem::path& file, ArchiveKind kind, T& value)
{
    T loaded;
    PresetResult result = ReadPresetRecord(file, kind, [&](Archive& ar) { loaded.Serialize(ar); });
    if (result)
        value = loaded;
    return result;
}

PresetResult WritePresetRecord(const PresetFolders& folders, std::string_view name, std::string_view extension,
                               ArchiveKind kind, const std::function<void(Archive&)>& store)
{
    if (!IsValidPresetName(name))
        return PresetResult::Failure("A preset name must not be empty, nor hold '/', '\\' or control characters, "
                                     "nor end in a blank or a dot.");
    std::error_code error;
    std::filesystem::create_directories(folders.user, error);
    if (error)
        return PresetResult::Failure("The preset folder " + folders.user.string() + " cannot be made: "
                                     + error.message() + ".");
    std::optional<TempFile> record = TempFile::Create(NewGuidString());
    if (!record)
        return PresetResult::Failure("The preset " + Quoted(name) + " cannot be saved: no temporary file can be made.");
    try {
        std::unique_ptr<FileStream> stream = FileStream::Open(record->Path(), FileOpenMode::Create);
        Archive ar(*stream, ArchiveMode::Store);
        ar << kFormatWord1 << kFormatWord2 << uint32_t(kind);
        store(ar);
        ar.Flush();
        stream->Close();
    } catch (const std::exception& failure) {
        return PresetResult::Failure("The preset " + Quoted(name) + " cannot be saved (" + failure.what() + ").");
    }
    const std::filesystem::path target = UserPresetFile(folders, name, extension);
    if (!ZipSingleFile(ArchivePath(target), ContentPath(record->Path())))
        return PresetResult::Failure("The preset " + Quoted(name) + " cannot be saved: writing " + target.string()
                                     + " failed.");
    return {};
}

} // namespace

std::filesystem::path UserHomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return ".";
}

std::filesystem::path UserDataFolder()
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
        std::filesystem::path folder(data);
        if (folder.is_absolute())
            return folder / kProgramFolder;
    }
    return UserHomeFolder() / ".local" / "share" / kProgramFolder;
}

std::vector<PresetEntry> ListPresets(const PresetFolders& folders, std::string_view extension)
{
    std::vector<PresetEntry> entries;
    auto collect = [&](const std::filesystem::path& folder, bool shipped) {
        if (folder.empty())
            return;
        CSADirRead reader;
        reader.ScanDirs(folder.string());
        reader.CollectFiles("*" + std::string(extension));
        for (const CSADirRead::FileEntry& file : reader.Files()) {
            if (file.name.empty() || FindPreset(entries, file.name))
                continue;
            entries.push_back({file.name, file.path, shipped});
        }
    };
    // The user's folder first, so that its presets hide shipped ones of the same name.
    collect(folders.user, false);
    collect(folders.shipped, true);
    std::stable_sort(entries.begin(), entries.end(), [](const PresetEntry& a, const PresetEntry& b) {
        const int order = CompareWithoutCase(a.name, b.name);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    return entries;
}

const PresetEntry* FindPreset(const std::vector<PresetEntry>& entries, std::string_view name)
{
    auto found = std::find_if(entries.begin(), entries.end(), [&](const PresetEntry& e) { return e.name == name; });
    return found == entries.end() ? nullptr : &*found;
}

bool IsValidPresetName(std::string_view name)
{
    if (name.empty() || name == "." || name == ".." || name.back() == ' ' || name.back() == '.')
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
}

PresetResult ReadCapPreset(const std::filesystem::path& file, CustomCapMan& cap)
{
    return ReadPresetInto(file, ArchiveKind::LineCap, cap);
}

PresetResult ReadBrushPreset(const std::filesystem::path& file, BrushMan& brush)
{
    return ReadPresetInto(file, ArchiveKind::Brush, brush);
}

PresetResult WriteCapPreset(const PresetFolders& folders, std::string_view name, const CustomCapMan& cap)
{
    CustomCapMan stored(cap);
    return WritePresetRecord(folders, name, kLineCapPresetExtension, ArchiveKind::LineCap,
                             [&](Archive& ar) { stored.Serialize(ar); });
}

PresetResult WriteBrushPreset(const PresetFolders& folders, std::string_view name, const BrushMan& brush)
{
    BrushMan stored(brush);
    return WritePresetRecord(folders, name, kBrushPresetExtension, ArchiveKind::Brush,
                             [&](Archive& ar) { stored.Serialize(ar); });
}

PresetResult DeletePreset(const PresetFolders& folders, std::string_view name, std::string_view extension)
{
    if (!IsValidPresetName(name))
        return PresetResult::Failure("There is no preset " + Quoted(name) + ".");
    const std::vector<PresetEntry> own = ListPresets({{}, folders.user}, extension);
    if (const PresetEntry* entry = FindPreset(own, name)) {
        std::error_code error;
        // Gone already (removed by someone else meanwhile) counts as deleted.
        if (std::filesystem::remove(entry->path, error) || !error)
            return {};
        return PresetResult::Failure("The preset " + Quoted(name) + " cannot be deleted: " + error.message() + ".");
    }
    if (!folders.shipped.empty() && FindPreset(ListPresets({folders.shipped, {}}, extension), name))
        return PresetResult::Failure("The preset " + Quoted(name) + " comes with the program and cannot be deleted.");
    return PresetResult::Failure("There is no preset " + Quoted(name) + ".");
}

} // namespace kelmora
