#include "app/documents/Recovery.h"

#include "app/desktop/AppPaths.h"
#include "document/DrawDocFile.h"
#include "platform/base/FileReplace.h"
#include "platform/base/Guid.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

namespace kelmora {

namespace {

constexpr char kLockName[] = "lock";
constexpr char kCopyExtension[] = ".MZF";
constexpr char kInfoExtension[] = ".info";
constexpr char kClaimedPrefix[] = "claimed-";

// Opens (creating) the lock file of a session folder and locks it without waiting; -1
// when it cannot be opened or another session holds it.
int LockSession(const std::filesystem::path& folder)
{
    const int fd = ::open((folder / kLockName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::string InfoBytes(const std::string& originalPath, const std::string& title)
{
    std::string bytes = originalPath;
    bytes.push_back('\0');
    bytes += title;
    bytes.push_back('\0');
    return bytes;
}

// The copies of one session folder, by their numbers, after those of the folders it had
// claimed itself: a session that crashed before it was done with its claims still holds
// them.
std::vector<RecoveryStore::Copy> ReadCopies(const std::filesystem::path& folder)
{
    std::vector<RecoveryStore::Copy> result;
    std::vector<std::filesystem::path> claimed;
    std::vector<std::pair<int, RecoveryStore::Copy>> copies;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::filesystem::path& info = entry.path();
        if (info.filename().string().starts_with(kClaimedPrefix) && entry.is_directory(error)) {
            claimed.push_back(info);
            continue;
        }
        if (info.extension() != kInfoExtension)
            continue;
        int number = 0;
        try {
            number = std::stoi(info.stem().string());
        } catch (const std::exception&) {
            continue;
        }
        std::filesystem::path file = info;
        file.replace_extension(kCopyExtension);
        if (!std::filesystem::is_regular_file(file, error))
            continue;
        std::ifstream in(info, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const size_t first = bytes.find('\0');
        const size_t second = first == std::string::npos ? std::string::npos : bytes.find('\0', first + 1);
        if (second == std::string::npos)
            continue;
        copies.push_back({number, {file, bytes.substr(0, first), bytes.substr(first + 1, second - first - 1)}});
    }
    std::sort(claimed.begin(), claimed.end());
    for (const std::filesystem::path& older : claimed) {
        for (RecoveryStore::Copy& copy : ReadCopies(older))
            result.push_back(std::move(copy));
    }
    std::sort(copies.begin(), copies.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [number, copy] : copies)
        result.push_back(std::move(copy));
    return result;
}

} // namespace

RecoveryStore::RecoveryStore(std::filesystem::path root, std::filesystem::path session, int lockFd)
    : m_root(std::move(root)), m_session(std::move(session)), m_lockFd(lockFd)
{
}

std::filesystem::path RecoveryStore::DefaultRoot()
{
    return UserStateFolder() / "recovery";
}

std::unique_ptr<RecoveryStore> RecoveryStore::Open(const std::filesystem::path& root, std::string* failure)
{
    auto fail = [&](const std::error_code& error) -> std::unique_ptr<RecoveryStore> {
        if (failure)
            *failure = error.message();
        return nullptr;
    };
    std::error_code rootError;
    std::filesystem::create_directories(root, rootError);
    std::error_code error;
    std::filesystem::path session = root / NewGuidString();
    // The root's own failure says more than the "no such folder" that follows from it.
    if (!std::filesystem::create_directory(session, error))
        return fail(rootError ? rootError : error ? error : std::make_error_code(std::errc::file_exists));
    std::filesystem::permissions(session, std::filesystem::perms::owner_all, error);
    const int fd = LockSession(session);
    if (fd < 0) {
        const std::error_code lockError(errno, std::generic_category());
        std::filesystem::remove_all(session, error);
        return fail(lockError);
    }
    return std::unique_ptr<RecoveryStore>(new RecoveryStore(root, std::move(session), fd));
}

RecoveryStore::~RecoveryStore()
{
    std::error_code error;
    if (!m_bKept)
        std::filesystem::remove_all(m_session, error);
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

void RecoveryStore::KeepForNextStart()
{
    m_bKept = true;
    m_numbers.clear();
    if (m_lockFd >= 0)
        ::close(m_lockFd);
    m_lockFd = -1;
}

bool RecoveryStore::Save(const void* owner, CDrawDoc& document, const std::string& originalPath, const std::string& title)
{
    auto [entry, added] = m_numbers.try_emplace(owner, m_nextNumber);
    if (added)
        ++m_nextNumber;
    const std::string stem = std::to_string(entry->second);
    if (!WriteDocumentCopy(document, m_session / (stem + kCopyExtension)))
        return false;
    // The description is replaced the same way, so that a crash never leaves half of it.
    const std::string bytes = InfoBytes(originalPath, title);
    return ReplaceFile(m_session / (stem + kInfoExtension), bytes);
}

void RecoveryStore::Remove(const void* owner)
{
    auto entry = m_numbers.find(owner);
    if (entry == m_numbers.end())
        return;
    const std::string stem = std::to_string(entry->second);
    std::error_code error;
    std::filesystem::remove(m_session / (stem + kInfoExtension), error);
    std::filesystem::remove(m_session / (stem + kCopyExtension), error);
    m_numbers.erase(entry);
}

std::optional<std::filesystem::path> RecoveryStore::CopyOf(const void* owner) const
{
    auto entry = m_numbers.find(owner);
    if (entry == m_numbers.end())
        return std::nullopt;
    return m_session / (std::to_string(entry->second) + kCopyExtension);
}

std::vector<RecoveryStore::Copy> RecoveryStore::ClaimAbandoned()
{
    std::vector<std::filesystem::path> folders;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(m_root, error)) {
        if (entry.path() != m_session && entry.is_directory(error))
            folders.push_back(entry.path());
    }
    std::sort(folders.begin(), folders.end());

    std::vector<Copy> copies;
    for (const std::filesystem::path& folder : folders) {
        const int fd = LockSession(folder);
        if (fd < 0)
            continue; // a session that is still running
        // Moving the folder into this session makes the claim: another program starting
        // at the same moment finds it gone.
        const std::filesystem::path claimed = m_session / (kClaimedPrefix + std::to_string(m_nextClaim++));
        std::filesystem::rename(folder, claimed, error);
        ::close(fd);
        if (error)
            continue;
        for (RecoveryStore::Copy& copy : ReadCopies(claimed))
            copies.push_back(std::move(copy));
    }
    return copies;
}

std::vector<std::filesystem::path> RecoveryStore::ClaimedFolders() const
{
    std::error_code error;
    std::vector<std::filesystem::path> claimed;
    for (const auto& entry : std::filesystem::directory_iterator(m_session, error)) {
        if (entry.path().filename().string().starts_with(kClaimedPrefix))
            claimed.push_back(entry.path());
    }
    return claimed;
}

void RecoveryStore::DiscardClaimed()
{
    std::error_code error;
    for (const std::filesystem::path& folder : ClaimedFolders())
        std::filesystem::remove_all(folder, error);
}

void RecoveryStore::ReleaseClaimed()
{
    // Back beside the sessions, under names of their own, where any start finds them.
    std::error_code error;
    for (const std::filesystem::path& folder : ClaimedFolders())
        std::filesystem::rename(folder, m_root / (m_session.filename().string() + "-" + folder.filename().string()), error);
}

} // namespace kelmora
