#include "platform/ui/Contrast.h"

#include "platform/ui/RibbonColors.h"

#include <wx/image.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>

namespace kelmora {

namespace {

// A pixel counts as part of a picture's body from this alpha on; lighter pixels are the
// anti-aliased rim, whose colour follows the body's.
constexpr unsigned char kOpaqueAlpha = 230;
// Pictures kept with their readable versions; far more than the ribbon shows in all
// states, so the cache is emptied only when something keeps making new pictures.
constexpr size_t kPictureCacheLimit = 4096;
// A colour that has to move moves this far where it can: one moved just to the threshold
// of kReadableContrast still reads as faded next to the captions that never had to move.
constexpr double kMovedTextContrast = 7.0;
// Steps of the search along a mix: 1/256 is below what an 8-bit channel can show.
constexpr int kSearchSteps = 8;

const std::array<double, 256>& LinearTable()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> values{};
        for (size_t i = 0; i < values.size(); ++i) {
            const double c = double(i) / 255.0;
            values[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return values;
    }();
    return table;
}

double Luminance(unsigned char r, unsigned char g, unsigned char b)
{
    const std::array<double, 256>& linear = LinearTable();
    return 0.2126 * linear[r] + 0.7152 * linear[g] + 0.0722 * linear[b];
}

double Ratio(double a, double b)
{
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The smallest t in (0, 1] at which `good(t)` holds, given that it fails at 0 and, once it
// holds, keeps holding toward 1; nullopt when it fails at 1 too.
template <class Good>
std::optional<double> FirstGood(Good good)
{
    if (!good(1.0))
        return std::nullopt;
    double bad = 0.0;
    double ok = 1.0;
    for (int i = 0; i < kSearchSteps; ++i) {
        const double middle = (bad + ok) / 2;
        (good(middle) ? ok : bad) = middle;
    }
    return ok;
}

// Which way a colour of luminance `own` moves to stand out from `background` by `ratio`:
// away from the background on its own side when that side has room, else to the other.
wxColour Target(double own, double background, double ratio)
{
    const double blackRatio = Ratio(0.0, background);
    const double whiteRatio = Ratio(1.0, background);
    const bool darkFits = blackRatio >= ratio;
    const bool lightFits = whiteRatio >= ratio;
    bool dark = own <= background;
    if (dark && !darkFits && lightFits)
        dark = false;
    else if (!dark && !lightFits && darkFits)
        dark = true;
    else if (!darkFits && !lightFits)
        dark = blackRatio >= whiteRatio;
    return dark ? *wxBLACK : *wxWHITE;
}

} // namespace

double RelativeLuminance(const wxColour& colour)
{
    return Luminance(colour.Red(), colour.Green(), colour.Blue());
}

double ContrastRatio(const wxColour& a, const wxColour& b)
{
    return Ratio(RelativeLuminance(a), RelativeLuminance(b));
}

namespace {

// The lowest contrast of `colour` against the backgrounds.
double Worst(const wxColour& colour, std::initializer_list<wxColour> backgrounds)
{
    double lowest = 21.0;
    for (const wxColour& background : backgrounds)
        lowest = std::min(lowest, ContrastRatio(colour, background));
    return lowest;
}

// The colour nearest `colour`, mixed toward black or white, that keeps `ratio` against
// every background; nullopt when none does.
std::optional<wxColour> Nearest(const wxColour& colour, std::initializer_list<wxColour> backgrounds, double ratio)
{
    if (Worst(colour, backgrounds) >= ratio)
        return colour;
    std::optional<std::pair<double, wxColour>> best;
    for (const wxColour& target : {*wxBLACK, *wxWHITE}) {
        const std::optional<double> t =
            FirstGood([&](double at) { return Worst(Mix(colour, target, at), backgrounds) >= ratio; });
        if (t && (!best || *t < best->first))
            best = std::pair{*t, Mix(colour, target, *t)};
    }
    return best ? std::optional<wxColour>(best->second) : std::nullopt;
}

} // namespace

wxColour ReadableOn(const wxColour& text, std::initializer_list<wxColour> backgrounds, double ratio)
{
    if (Nearest(text, backgrounds, ratio) == text)
        return text;
    if (const std::optional<wxColour> clear = Nearest(text, backgrounds, std::max(ratio, kMovedTextContrast)))
        return *clear;
    return MoveApart(text, backgrounds, ratio);
}

wxColour MoveApart(const wxColour& colour, std::initializer_list<wxColour> backgrounds, double ratio)
{
    if (const std::optional<wxColour> apart = Nearest(colour, backgrounds, ratio))
        return *apart;
    return Worst(*wxBLACK, backgrounds) >= Worst(*wxWHITE, backgrounds) ? *wxBLACK : *wxWHITE;
}

wxColour DisabledOn(const wxColour& text, const wxColour& background)
{
    const double back = RelativeLuminance(background);
    const double darker = (back + 0.05) / kDisabledContrast - 0.05;
    const double lighter = kDisabledContrast * (back + 0.05) - 0.05;
    const bool textDarker = RelativeLuminance(text) <= back;
    double wanted = textDarker ? darker : lighter;
    if (wanted < 0.0 || wanted > 1.0)
        wanted = textDarker ? lighter : darker;
    wanted = std::clamp(wanted, 0.0, 1.0);
    // The grey whose luminance is nearest the wanted one.
    const std::array<double, 256>& linear = LinearTable();
    const auto grey = std::lower_bound(linear.begin(), linear.end(), wanted) - linear.begin();
    const auto level = static_cast<unsigned char>(std::min<ptrdiff_t>(grey, 255));
    return wxColour(level, level, level);
}

namespace {

bool IsBody(const wxImage& image, int x, int y)
{
    return x >= 0 && y >= 0 && x < image.GetWidth() && y < image.GetHeight() && image.GetAlpha(x, y) >= kOpaqueAlpha;
}

// Whether the pixel lies at the edge of the picture's body: a neighbour (four-connected,
// or eight-connected with `diagonals`) is no body, or lies outside the picture.
bool AtEdge(const wxImage& image, int x, int y, bool diagonals)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if ((dx == 0 && dy == 0) || (!diagonals && dx != 0 && dy != 0))
                continue;
            if (!IsBody(image, x + dx, y + dy))
                return true;
        }
    }
    return false;
}

// The pixel as seen over the background.
wxColour Over(unsigned char r, unsigned char g, unsigned char b, unsigned char alpha, const wxColour& background)
{
    const double a = alpha / 255.0;
    return Mix(background, wxColour(r, g, b), a);
}

wxImage WithAlpha(const wxBitmap& picture)
{
    wxImage image = picture.ConvertToImage();
    if (!image.HasAlpha())
        image.InitAlpha();
    return image;
}

} // namespace

wxBitmap ReadableOn(const wxBitmap& picture, const wxColour& background, double ratio)
{
    if (!picture.IsOk())
        return picture;
    using Key = std::tuple<const void*, unsigned long, int>;
    static std::map<Key, std::pair<wxBitmap, wxBitmap>> cache;
    // The cached source keeps its data alive, so its address names it while it is cached.
    const Key key{picture.GetRefData(), background.GetRGB(), int(std::lround(ratio * 100))};
    if (const auto found = cache.find(key); found != cache.end())
        return found->second.second;

    wxImage image = WithAlpha(picture);
    const wxImage original = image.Copy();
    const double back = RelativeLuminance(background);
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            const unsigned char alpha = original.GetAlpha(x, y);
            if (alpha == 0 || (alpha >= kOpaqueAlpha && !AtEdge(original, x, y, true)))
                continue;
            const wxColour own(original.GetRed(x, y), original.GetGreen(x, y), original.GetBlue(x, y));
            const auto shown = [&](const wxColour& colour) {
                return ContrastRatio(Over(colour.Red(), colour.Green(), colour.Blue(), alpha, background), background);
            };
            if (shown(own) >= ratio)
                continue;
            const wxColour target = Target(RelativeLuminance(own), back, ratio);
            const std::optional<double> t = FirstGood([&](double at) { return shown(Mix(own, target, at)) >= ratio; });
            const wxColour moved = Mix(own, target, t.value_or(1.0));
            image.SetRGB(x, y, moved.Red(), moved.Green(), moved.Blue());
        }
    }
    if (cache.size() >= kPictureCacheLimit)
        cache.clear();
    const wxBitmap readable(image, 32);
    cache.emplace(key, std::pair{picture, readable});
    return readable;
}

double OutlineContrast(const wxImage& picture, const wxColour& background)
{
    wxImage image = picture.Copy();
    if (!image.HasAlpha())
        image.InitAlpha();
    double lowest = 21.0;
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            if (!IsBody(image, x, y) || !AtEdge(image, x, y, false))
                continue;
            const wxColour shown =
                Over(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y), image.GetAlpha(x, y), background);
            lowest = std::min(lowest, ContrastRatio(shown, background));
        }
    }
    return lowest;
}

} // namespace kelmora
