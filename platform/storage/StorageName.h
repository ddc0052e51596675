#pragma once
// Names of the elements of a compound file.
//
// A name is at most 31 UTF-16 characters and may not hold '/', '\', ':' or '!'; control
// characters are allowed (the summary stream's name starts with the character 5).
// Lookups ignore case the way compound files do: each character is compared in its
// simple upper-case form, so "contents" finds "Contents".

#include <string_view>

namespace kelmora {

inline constexpr size_t kMaxStorageNameLength = 31; // UTF-16 characters

bool IsValidStorageName(std::string_view name);

bool StorageNamesEqual(std::string_view a, std::string_view b);

} // namespace kelmora
