#pragma once
// Sending a drawing by mail: the desktop's mail program (through xdg-email) opens a new
// message with the file attached. Nothing is sent without the user.

#include <filesystem>
#include <string>

namespace kelmora {

// The program that hands attachments to the mail program.
inline constexpr const char* kMailLauncher = "xdg-email";

// The full path of an executable `name` found on $PATH; empty when there is none.
std::filesystem::path FindProgramOnPath(const std::string& name);

// Whether a mail program can be reached at all.
bool IsMailAvailable();

// Starts the mail program with `attachment`; false when it cannot be started.
bool LaunchMailWithAttachment(const std::filesystem::path& attachment);

// A private folder for the copies of unsaved drawings handed to the mail program; it and
// everything in it is removed when the program ends. Empty when it cannot be made.
std::filesystem::path MailCopyFolder();

} // namespace kelmora
