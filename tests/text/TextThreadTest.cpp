#include "platform/text/TextDrawing.h"
#include "platform/text/TextPath.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace kelmora {
namespace {

struct PathData {
    std::vector<PointF> points;
    std::vector<uint8_t> types;
    bool operator==(const PathData&) const = default;
};

PathData Build(const std::string& text, const std::string& family, FontStyle style)
{
    GraphicsPath path;
    std::optional<FontFamily> f = FontFamily::Create(family);
    if (!f || !AddString(path, text, *f, style, 40.0f, RectF(0, 0, 300, 0), StringFormat()))
        return {};
    return {std::vector<PointF>(path.Points().begin(), path.Points().end()),
            std::vector<uint8_t>(path.Types().begin(), path.Types().end())};
}

// Gallery workers lay out text while the main thread paints: each thread's results must
// be those a single thread gets, with nothing shared between them.
TEST(TextThreadTest, ThreadsLayOutAndDrawAtOnce)
{
    const std::vector<std::pair<std::string, std::string>> jobs = {
        {"Thumbnail one", "Arial"},
        {"Second \xC3\xA9l\xC3\xA9ment", "Times New Roman"},
        {"Monospaced\nlines", "Courier New"},
    };
    std::vector<PathData> expected;
    for (const auto& [text, family] : jobs) {
        expected.push_back(Build(text, family, FontStyle::Bold));
        ASSERT_FALSE(expected.back().points.empty());
    }

    constexpr int kThreads = 4;
    constexpr int kRounds = 15;
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 64, 64);
            cairo_t* cr = cairo_create(surface);
            for (int round = 0; round < kRounds; ++round) {
                size_t job = size_t(t + round) % jobs.size();
                if (Build(jobs[job].first, jobs[job].second, FontStyle::Bold) != expected[job])
                    ++mismatches;
                // New names too, so the shared family memory is written while others read.
                FontFamily::Create("Thread family " + std::to_string(t * 100 + round));
                std::optional<Font> font = Font::Create(FontFamily::GenericSansSerif(), 12.0f);
                if (!font || !DrawString(cr, "64", *font, RectF(0, 0, 64, 64), StringFormat(), Color(0xFF000000)))
                    ++mismatches;
            }
            cairo_destroy(cr);
            cairo_surface_destroy(surface);
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(mismatches.load(), 0);
}

} // namespace
} // namespace kelmora
