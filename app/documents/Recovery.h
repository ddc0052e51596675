#pragma once
// Recovery copies of modified documents. While the program runs, every few minutes each
// modified document is written to a copy in this session's folder (never over the user's
// file); closing a document removes its copy, and a clean end removes the whole session.
// A session whose program crashed leaves its folder behind, and a later start offers the
// copies back.
//
// Layout below the root (by default UserStateFolder()/recovery): one folder per running
// session holding "lock" (locked with flock for the session's whole life, so that other
// running sessions are never taken for crashed ones), and for each document "<n>.MZF" with
// "<n>.info" (the original path and the title, each followed by a NUL byte). The folders
// a session claimed from crashed ones sit in its own folder as "claimed-<n>" until it is
// done with them.
//
// UI thread only.

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelmora {

class CDrawDoc;

class RecoveryStore {
public:
    struct Copy {
        std::filesystem::path file;   // the recovery copy, a document file
        std::string originalPath;     // empty for a document that was never saved
        std::string title;
    };

    // Starts this session's folder below `root`; nothing when it cannot be made (there are
    // then no recovery copies), with the reason in `failure` when one is given.
    static std::unique_ptr<RecoveryStore> Open(const std::filesystem::path& root, std::string* failure = nullptr);
    static std::filesystem::path DefaultRoot();
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    const std::filesystem::path& SessionFolder() const { return m_session; }

    // Writes the recovery copy of the document that `owner` stands for, replacing its
    // previous copy; false when it cannot be written (the previous copy then stays).
    bool Save(const void* owner, CDrawDoc& document, const std::string& originalPath, const std::string& title);
    // Removes that copy; nothing when there is none.
    void Remove(const void* owner);
    std::optional<std::filesystem::path> CopyOf(const void* owner) const;

    // Takes over the folders of earlier sessions below the root that ended without removing
    // them, and lists their copies in the order they were made. They are removed with this
    // session, or at once by DiscardClaimed.
    std::vector<Copy> ClaimAbandoned();
    void DiscardClaimed();
    // Gives the claimed folders up undecided: they go back to where earlier sessions' folders
    // are, and the next start claims and offers them again.
    void ReleaseClaimed();

    // Leaves this session's copies for the next start to offer, as a crashed session's
    // are: the lock is released, and neither Remove nor the end of the store deletes them.
    void KeepForNextStart();

private:
    RecoveryStore(std::filesystem::path root, std::filesystem::path session, int lockFd);
    // The folders of earlier sessions this one claimed.
    std::vector<std::filesystem::path> ClaimedFolders() const;

    std::filesystem::path m_root;
    std::filesystem::path m_session;
    int m_lockFd = -1;
    bool m_bKept = false;
    int m_nextNumber = 1;
    int m_nextClaim = 1;
    std::map<const void*, int> m_numbers;
};

} // namespace kelmora
