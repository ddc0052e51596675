#include "document/ThumbnailLoader.h"

#include "document/DirRead.h"
#include "document/DrawDocFile.h"
#include "document/DrawShape.h"
#include "document/Thumbnail.h"
#include "platform/graphics/Graphics.h"

#include <utility>
#include <vector>

namespace kelmora {

ThumbnailLoader::ThumbnailLoader(Options options, ItemSink onItem, DoneSink onDone)
    : m_options(options), m_onItem(std::move(onItem)), m_onDone(std::move(onDone))
{
}

ThumbnailLoader::~ThumbnailLoader()
{
    Stop();
}

uint64_t ThumbnailLoader::Start(std::string folder)
{
    Stop();
    const uint64_t generation = ++m_generation;
    m_loading = true;
    m_thread = std::thread(&ThumbnailLoader::Run, this, std::move(folder), generation);
    return generation;
}

void ThumbnailLoader::Stop()
{
    if (!m_thread.joinable())
        return;
    m_cancel = true;
    m_thread.join();
    m_cancel = false;
    m_loading = false;
    ++m_generation;
}

std::optional<Bitmap> ThumbnailLoader::MakeThumbnail(const std::string& path, const Options& options)
{
    if (options.useTrailer) {
        if (std::optional<std::vector<uint8_t>> png = ReadThumbnail(std::filesystem::path(path))) {
            if (std::optional<Bitmap> picture = DecodeThumbnail(*png))
                return picture;
        }
    }
    CDrawShape shape;
    if (!shape.Load(path, true))
        return std::nullopt;
    const float side = float(options.side);
    Bitmap picture = RenderThumbnail(options.side, [&](Graphics& g) { shape.DrawFitted(g, 0.0f, 0.0f, side, side); });
    if (!picture.IsOk())
        return std::nullopt;
    // Only pictures of the trailer's size are stored; nothing is appended when the
    // picture cannot be encoded cleanly.
    if (options.writeBack && options.side == kThumbnailSide) {
        if (std::optional<std::vector<uint8_t>> png = EncodeThumbnailPng(picture))
            AppendThumbnailTrailer(path, *png);
    }
    return picture;
}

void ThumbnailLoader::Run(std::string folder, uint64_t generation)
{
    std::vector<std::string> paths;
    try {
        CSADirRead reader;
        reader.ScanDirs(std::move(folder));
        reader.CollectFiles("*." + std::string(kDocumentExtension));
        for (const CSADirRead::FileEntry& file : reader.Files())
            paths.push_back(file.path);
    } catch (...) {
        // An unreadable folder lists nothing.
        paths.clear();
    }
    for (std::string& path : paths) {
        if (m_cancel)
            break;
        try {
            std::optional<Bitmap> picture = MakeThumbnail(path, m_options);
            if (picture && !m_cancel)
                m_onItem(generation, ThumbnailItem{std::move(path), std::move(*picture)});
        } catch (...) {
            // A file that fails in any way is left out; the others still come.
        }
    }
    try {
        if (!m_cancel)
            m_onDone(generation);
    } catch (...) {
        // The owner could not be told; the load is over all the same.
    }
    m_loading = false;
}

} // namespace kelmora
