#pragma once
// Named style presets kept as files: line caps (".ares" in the "Arrow" folders), cap
// shapes (".tres", drawing files the line-cap editor takes outlines from, same folders)
// and brushes (".bres" in the "Brush" folders).
//
// A preset file is a zip archive with one entry, named like the file, that holds an
// archive record: u32 1, u32 0, u32 kind (ArchiveKind::LineCap 4 or ArchiveKind::Brush
// 3), then the cap record of CustomCapMan::Serialize or the fill record of
// BrushMan::Serialize.
//
// Presets come from two folders: the one that ships with the program (read only) and
// the user's own. Listing reads both; a user preset hides a shipped one of the same name.
// Saving and deleting touch only the user's folder, and a save replaces its file
// atomically (the archive is completed beside the target and renamed over it), so a
// failed save leaves any earlier preset of that name as it was.
//
// Reading treats a preset as hostile: it is unpacked to a temporary file (always removed
// again), its kind word is checked and the record is loaded into a value of its own; the
// caller's cap or brush changes only when the whole record was read.

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelmora {

class BrushMan;
class CustomCapMan;

inline constexpr std::string_view kLineCapPresetFolder = "Arrow";
inline constexpr std::string_view kBrushPresetFolder = "Brush";
inline constexpr std::string_view kLineCapPresetExtension = ".ares";
inline constexpr std::string_view kCapShapeExtension = ".tres";
inline constexpr std::string_view kBrushPresetExtension = ".bres";

// Where the presets of one kind live.
struct PresetFolders {
    std::filesystem::path shipped;  // installed with the program; never written
    std::filesystem::path user;     // the user's own; created by the first save
};

// The user's home folder: $HOME when set, else the account's own, else ".".
std::filesystem::path UserHomeFolder();

// The user's data folder of the program: $XDG_DATA_HOME/kelmora when that is an absolute
// path, otherwise ~/.local/share/kelmora.
std::filesystem::path UserDataFolder();

struct PresetEntry {
    std::string name;            // file name without folder and extension
    std::filesystem::path path;
    bool shipped = false;        // from the shipped folder (cannot be deleted)
};

// The presets with `extension` (".ares"; matched without regard to case) of both folders,
// sorted by name without regard to case. A missing folder adds nothing.
std::vector<PresetEntry> ListPresets(const PresetFolders& folders, std::string_view extension);

// The entry named exactly `name`, or null.
const PresetEntry* FindPreset(const std::vector<PresetEntry>& entries, std::string_view name);

// A name a preset file can have: not empty, not "." or "..", no '/', '\\' or control
// characters, and not ending in a blank or a dot (which would not survive a copy to
// other file systems unchanged).
bool IsValidPresetName(std::string_view name);

// What a preset operation gave: success, or a sentence for the user saying what failed.
struct PresetResult {
    bool ok = true;
    std::string message;

    explicit operator bool() const { return ok; }
    static PresetResult Failure(std::string text) { return {false, std::move(text)}; }
};

// Loads the preset file into `cap` / `brush`; on failure they are left as they were.
PresetResult ReadCapPreset(const std::filesystem::path& file, CustomCapMan& cap);
PresetResult ReadBrushPreset(const std::filesystem::path& file, BrushMan& brush);

// Writes the preset `name` into the user folder (created when missing), replacing a
// preset of that name there. The cap's own name field is stored as it stands.
PresetResult WriteCapPreset(const PresetFolders& folders, std::string_view name, const CustomCapMan& cap);
PresetResult WriteBrushPreset(const PresetFolders& folders, std::string_view name, const BrushMan& brush);

// Deletes the user's preset `name`. A preset that only the shipped folder holds is not
// deleted, and says so.
PresetResult DeletePreset(const PresetFolders& folders, std::string_view name, std::string_view extension);

} // namespace kelmora
