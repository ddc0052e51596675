#pragma once
// The thumbnail worker of the galleries and of the template browser: one thread that
// lists the drawing files (".MZF") of a folder and makes a picture of each, handing every
// picture to its owner as soon as it is made.
//
// A picture comes from the file's thumbnail trailer when it has a valid one (and the
// loader is asked to use trailers); otherwise the drawing is loaded (CDrawShape) and drawn
// fitted into the square, and, when asked, the picture is appended to the file as its
// trailer so that the next listing is fast (only to files that may take it; see
// AppendThumbnailTrailer). A file that can neither be read nor drawn gets no picture; an
// error in one file never stops the others.
//
// Threads. The owner (one thread, normally the UI thread) calls Start, Stop and the
// destructor. The sinks run on the worker thread: they must not touch windows, only post
// what they get to the owner's thread. Every picture carries the generation of the load
// that made it; a new Start or a Stop moves the generation on, so pictures that were
// already posted for an earlier load can be told apart and dropped. Stop raises the
// cancel flag and joins the thread, which finishes the file at hand and ends: it never
// waits for the owner, so the owner may wait for it without serving messages.

#include "platform/imaging/Bitmap.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>

namespace kelmora {

struct ThumbnailItem {
    std::string path;   // the drawing file
    Bitmap picture;     // side × side, straight ARGB
};

class ThumbnailLoader {
public:
    struct Options {
        int side = 64;            // pixels a side
        bool useTrailer = true;   // take a valid trailer picture instead of drawing
        bool writeBack = false;   // append drawn pictures to the files as trailers
    };

    using ItemSink = std::function<void(uint64_t generation, ThumbnailItem item)>;
    using DoneSink = std::function<void(uint64_t generation)>;

    // `onItem` gets each picture in the folder's file order, `onDone` is called once a
    // load has gone through every file (not after a load that was stopped).
    ThumbnailLoader(Options options, ItemSink onItem, DoneSink onDone);
    // Stops the running load.
    ~ThumbnailLoader();
    ThumbnailLoader(const ThumbnailLoader&) = delete;
    ThumbnailLoader& operator=(const ThumbnailLoader&) = delete;

    // Stops the running load, then starts one for the drawing files of `folder` (its own
    // files only, not those of its subfolders). The generation of the new load.
    uint64_t Start(std::string folder);
    // Stops the running load and waits for its thread. No sink is called afterwards.
    void Stop();

    // The generation of the last load started or stopped; pictures of other generations
    // are out of date.
    uint64_t Generation() const { return m_generation.load(); }
    // Whether a load is still going through its files.
    bool IsLoading() const { return m_loading.load(); }

    // The picture of one drawing file as a load makes it; nothing for a file that yields
    // none. Safe on any thread.
    static std::optional<Bitmap> MakeThumbnail(const std::string& path, const Options& options);

private:
    void Run(std::string folder, uint64_t generation);

    const Options m_options;
    const ItemSink m_onItem;
    const DoneSink m_onDone;
    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_loading{false};
    std::atomic<uint64_t> m_generation{0};
    std::thread m_thread;
};

} // namespace kelmora
