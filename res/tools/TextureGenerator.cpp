// Draws the ten built-in fill textures and writes them as PNG files.
//
//   kelmora_texture_generator <output folder>
//
// Every picture is procedural and seamless: all noise, cell and wave functions below
// are periodic over the tile, so a fill repeats the tile without visible joins. The
// output is deterministic; the PNG files in res/textures are this program's output and
// are embedded into the program at build time.

#include "platform/imaging/Bitmap.h"
#include "platform/imaging/ImageFile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace kelmora {

namespace {

constexpr int kWidth = 128;
constexpr int kHeight = 124;
constexpr double kPi = 3.14159265358979323846;

struct Rgb {
    double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return { a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t };
}

Rgb Scale(Rgb c, double k)
{
    return { c.r * k, c.g * k, c.b * k };
}

Rgb Add(Rgb c, double v)
{
    return { c.r + v, c.g + v, c.b + v };
}

uint32_t ToArgb(Rgb c)
{
    auto channel = [](double v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); };
    return MakeArgb(0xFF, channel(c.r), channel(c.g), channel(c.b));
}

double SmoothStep(double edge0, double edge1, double x)
{
    double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Integer hash (a few rounds of multiply and xor-shift) giving well-mixed bits.
uint32_t Hash(uint32_t a, uint32_t b, uint32_t seed)
{
    uint32_t h = a * 0x8DA6B343u ^ b * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

double Hash01(uint32_t a, uint32_t b, uint32_t seed)
{
    return double(Hash(a, b, seed) & 0xFFFFFF) / double(0xFFFFFF);
}

int Wrap(int v, int period)
{
    int m = v % period;
    return m < 0 ? m + period : m;
}

// Gradient noise on a lattice of periodX x periodY cells stretched over the tile, so it
// repeats exactly at the tile's edges. Result roughly in [-1, 1].
double PeriodicNoise(double x, double y, int periodX, int periodY, uint32_t seed)
{
    double u = x / kWidth * periodX;
    double v = y / kHeight * periodY;
    int i0 = int(std::floor(u));
    int j0 = int(std::floor(v));
    double fu = u - i0;
    double fv = v - j0;
    auto gradientDot = [&](int i, int j, double dx, double dy) {
        double angle = Hash01(uint32_t(Wrap(i, periodX)), uint32_t(Wrap(j, periodY)), seed) * 2 * kPi;
        return std::cos(angle) * dx + std::sin(angle) * dy;
    };
    double n00 = gradientDot(i0, j0, fu, fv);
    double n10 = gradientDot(i0 + 1, j0, fu - 1, fv);
    double n01 = gradientDot(i0, j0 + 1, fu, fv - 1);
    double n11 = gradientDot(i0 + 1, j0 + 1, fu - 1, fv - 1);
    auto fade = [](double t) { return t * t * t * (t * (t * 6 - 15) + 10); };
    double a = n00 + (n10 - n00) * fade(fu);
    double b = n01 + (n11 - n01) * fade(fu);
    return (a + (b - a) * fade(fv)) * 1.4;
}

// Fractal sum of octaves, each twice the frequency and `gain` times the amplitude.
double Fbm(double x, double y, int periodX, int periodY, int octaves, uint32_t seed, double gain = 0.5)
{
    double sum = 0;
    double amplitude = 1;
    double total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * PeriodicNoise(x, y, periodX << o, periodY << o, seed + uint32_t(o) * 101);
        total += amplitude;
        amplitude *= gain;
    }
    return sum / total;
}

// Sum of |noise| over octaves: creased, billowy shapes (clouds, marble turbulence).
double Turbulence(double x, double y, int periodX, int periodY, int octaves, uint32_t seed)
{
    double sum = 0;
    double amplitude = 1;
    double total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * std::abs(PeriodicNoise(x, y, periodX << o, periodY << o, seed + uint32_t(o) * 131));
        total += amplitude;
        amplitude *= 0.5;
    }
    return sum / total;
}

// Nearest and second-nearest jittered cell points on a toroidal grid of cellsX x cellsY
// cells over the tile: the skeleton of stones and crystals.
struct Cells {
    double nearest = 1e9;
    double second = 1e9;
    uint32_t id = 0;      // which point is nearest
    double dx = 0, dy = 0; // offset from that point, in pixels
};

Cells CellularAt(double x, double y, int cellsX, int cellsY, uint32_t seed, double jitter = 0.8)
{
    double cellW = double(kWidth) / cellsX;
    double cellH = double(kHeight) / cellsY;
    int ci = int(std::floor(x / cellW));
    int cj = int(std::floor(y / cellH));
    Cells result;
    for (int dj = -2; dj <= 2; ++dj) {
        for (int di = -2; di <= 2; ++di) {
            int i = ci + di;
            int j = cj + dj;
            uint32_t wi = uint32_t(Wrap(i, cellsX));
            uint32_t wj = uint32_t(Wrap(j, cellsY));
            double px = (i + 0.5 + (Hash01(wi, wj, seed) - 0.5) * jitter) * cellW;
            double py = (j + 0.5 + (Hash01(wi, wj, seed + 7) - 0.5) * jitter) * cellH;
            double ddx = x - px;
            double ddy = y - py;
            double d = std::sqrt(ddx * ddx + ddy * ddy);
            if (d < result.nearest) {
                result.second = result.nearest;
                result.nearest = d;
                result.id = wj * uint32_t(cellsX) + wi;
                result.dx = ddx;
                result.dy = ddy;
            } else if (d < result.second) {
                result.second = d;
            }
        }
    }
    return result;
}

// Per-pixel grain that tiles trivially (it depends only on the pixel).
double Grain(int x, int y, uint32_t seed)
{
    return Hash01(uint32_t(x), uint32_t(y), seed) * 2 - 1;
}

// Light falling from the upper left on a height field h(x, y): 1 on flat ground, more
// on slopes facing the light, less on slopes facing away.
double Lighting(const std::function<double(double, double)>& height, double x, double y, double strength)
{
    double gx = height(x + 0.5, y) - height(x - 0.5, y);
    double gy = height(x, y + 0.5) - height(x, y - 0.5);
    return 1 - (gx * 0.7 + gy * 0.7) * strength;
}

using Painter = std::function<Rgb(int x, int y)>;

// Sand: warm beige with coarse and fine grains and soft wind-blown mottling.
Rgb Sand(int x, int y)
{
    Rgb base { 219, 193, 146 };
    double mottle = Fbm(x, y, 4, 4, 4, 11);
    double ripple = std::sin((x * 3.0 / kWidth + y * 2.0 / kHeight) * 2 * kPi + Fbm(x, y, 3, 3, 3, 12) * 5) * 0.5;
    Rgb c = Scale(base, 1 + mottle * 0.08 + ripple * 0.04);
    double grain = Grain(x, y, 13);
    c = Add(c, grain * 14);
    double speck = Hash01(uint32_t(x), uint32_t(y), 14);
    if (speck > 0.985)
        c = Mix(c, Rgb { 120, 96, 70 }, 0.7);
    else if (speck < 0.012)
        c = Mix(c, Rgb { 250, 240, 220 }, 0.8);
    return c;
}

// Woven scales: rows of round scales, each row half a scale across from the one above,
// the upper row lying over the lower one so that every scale shows its rounded lower
// edge. Scales carry a sheen, a shadow under the edge of the scales above, fine strands
// and tints alternating as in a woven mail.
Rgb WovenScales(int px, int py)
{
    constexpr int kColumns = 8;
    constexpr int kRows = 8; // even, so the half-scale shift repeats across the tile
    const double w = double(kWidth) / kColumns;
    const double h = double(kHeight) / kRows;
    const double radius = w * 0.72;
    double x = px + 0.5;
    double y = py + 0.5;
    auto centreX = [&](int row, int column) { return column * w + ((Wrap(row, kRows) % 2) ? w / 2 : 0); };
    // The scale of `row` covering (x, y), if any: its column.
    auto covering = [&](int row) -> std::optional<int> {
        double cy = row * h;
        double shift = (Wrap(row, kRows) % 2) ? w / 2 : 0;
        int nearest = int(std::floor((x - shift) / w + 0.5));
        for (int c = nearest - 1; c <= nearest + 1; ++c) {
            double dx = x - centreX(row, c);
            double dy = y - cy;
            if (dx * dx + dy * dy <= radius * radius)
                return c;
        }
        return std::nullopt;
    };
    int firstRow = int(std::floor((y - radius) / h));
    for (int r = firstRow; r <= firstRow + 4; ++r) {
        std::optional<int> column = covering(r);
        if (!column)
            continue;
        double dx = x - centreX(r, *column);
        double dy = y - r * h;
        double t = std::sqrt(dx * dx + dy * dy) / radius;
        uint32_t ci = uint32_t(Wrap(*column, kColumns));
        uint32_t ri = uint32_t(Wrap(r, kRows));
        bool alternate = ((ci + ri) % 2) == 0;
        Rgb tint = alternate ? Rgb { 82, 132, 122 } : Rgb { 118, 156, 112 };
        tint = Scale(tint, 0.92 + Hash01(ci, ri, 21) * 0.16);
        // Sheen towards the middle of the visible part, darkening at the rim.
        double sx = dx / radius;
        double sy = dy / radius - 0.45;
        Rgb color = Mix(tint, Rgb { 214, 232, 206 }, std::exp(-(sx * sx + sy * sy) * 5) * 0.5);
        color = Scale(color, 1 - SmoothStep(0.75, 1.0, t) * 0.5);
        // Shadow cast by the row above, strongest right under its edge.
        double shadow = 1e9;
        double upperShift = (Wrap(r - 1, kRows) % 2) ? w / 2 : 0;
        int upperNearest = int(std::floor((x - upperShift) / w + 0.5));
        for (int c = upperNearest - 1; c <= upperNearest + 1; ++c) {
            double ux = x - centreX(r - 1, c);
            double uy = y - (r - 1) * h;
            shadow = std::min(shadow, std::sqrt(ux * ux + uy * uy) - radius);
        }
        color = Scale(color, 0.55 + 0.45 * SmoothStep(0, 4, shadow));
        // Fine strands fanning from each scale's centre.
        color = Scale(color, 1 + std::sin(std::atan2(dy, dx) * 18) * 0.05);
        return Add(color, Grain(px, py, 22) * 4);
    }
    return { 40, 58, 52 };
}

// Grey clouds: soft billows of light and dark grey.
Rgb GreyClouds(int x, int y)
{
    double n = Fbm(x, y, 3, 3, 5, 31, 0.55);
    double billow = Turbulence(x + 17, y + 5, 2, 2, 4, 32);
    double v = 0.5 + n * 0.55 + (billow - 0.3) * 0.35;
    Rgb dark { 96, 100, 108 };
    Rgb light { 238, 239, 242 };
    return Add(Mix(dark, light, SmoothStep(0.15, 0.95, v)), Grain(x, y, 33) * 2);
}

// One layer of pebbles: an ellipse of random size and tilt around a jittered point in
// each cell of a toroidal grid. Gives the stone nearest in the ellipses' own measure
// (`distance` < 1 inside a stone).
struct Pebble {
    double distance = 1e9;
    uint32_t id = 0;
    double bulge = 0; // height of the stone's dome, in pixels
};

Pebble PebbleAt(double x, double y, int cellsX, int cellsY, double size, uint32_t seed)
{
    double cellW = double(kWidth) / cellsX;
    double cellH = double(kHeight) / cellsY;
    int ci = int(std::floor(x / cellW));
    int cj = int(std::floor(y / cellH));
    Pebble best;
    for (int dj = -2; dj <= 2; ++dj) {
        for (int di = -2; di <= 2; ++di) {
            int i = ci + di;
            int j = cj + dj;
            uint32_t wi = uint32_t(Wrap(i, cellsX));
            uint32_t wj = uint32_t(Wrap(j, cellsY));
            double px = (i + 0.5 + (Hash01(wi, wj, seed) - 0.5) * 0.5) * cellW;
            double py = (j + 0.5 + (Hash01(wi, wj, seed + 1) - 0.5) * 0.5) * cellH;
            double a = cellW * size * (0.8 + Hash01(wi, wj, seed + 2) * 0.4);
            double b = a * (0.65 + Hash01(wi, wj, seed + 3) * 0.3);
            double angle = Hash01(wi, wj, seed + 4) * kPi;
            double u = (x - px) * std::cos(angle) + (y - py) * std::sin(angle);
            double v = -(x - px) * std::sin(angle) + (y - py) * std::cos(angle);
            double d = std::sqrt((u / a) * (u / a) + (v / b) * (v / b));
            if (d < best.distance)
                best = { d, wj * uint32_t(cellsX) + wi + seed * 1000, b * 0.5 };
        }
    }
    return best;
}

// Pebbles: smooth rounded stones of assorted greys and browns, large ones with small
// ones between them, bedded in darker sand and lit from the upper left.
Rgb Pebbles(int px, int py)
{
    auto stoneAt = [](double x, double y) {
        Pebble large = PebbleAt(x, y, 5, 5, 0.52, 41);
        if (large.distance < 1)
            return large;
        Pebble small = PebbleAt(x, y, 11, 11, 0.42, 47);
        return small.distance < large.distance ? small : large;
    };
    auto height = [&](double hx, double hy) {
        Pebble pebble = stoneAt(hx, hy);
        double d = std::min(1.0, pebble.distance);
        return std::sqrt(1 - d * d) * pebble.bulge;
    };
    double x = px + 0.5;
    double y = py + 0.5;
    Pebble pebble = stoneAt(x, y);
    static const Rgb kStones[] = { { 150, 146, 140 }, { 176, 164, 146 }, { 122, 116, 110 }, { 196, 190, 178 },
        { 146, 124, 102 }, { 108, 104, 100 }, { 168, 152, 130 }, { 186, 170, 150 } };
    Rgb stone = kStones[Hash(pebble.id, 3, 42) % std::size(kStones)];
    stone = Scale(stone, 0.9 + Hash01(pebble.id, 5, 43) * 0.2);
    stone = Scale(stone, 1 + Fbm(x, y, 16, 16, 2, 44) * 0.07);
    stone = Add(stone, Grain(px, py, 45) * 5);
    Rgb lit = Scale(stone, Lighting(height, x, y, 0.35));
    Rgb sand = Add(Rgb { 96, 82, 64 }, Grain(px, py, 46) * 12);
    // Stones sit in a little shadow of their own on the sand.
    Pebble shadowCaster = stoneAt(x - 1.5, y - 1.5);
    sand = Scale(sand, shadowCaster.distance < 1.05 ? 0.7 : 1.0);
    return Mix(lit, sand, SmoothStep(0.93, 1.0, pebble.distance));
}

// White granite: a mass of small white and pale crystals of irregular shape, with
// scattered black and grey grains and fine dark specks.
Rgb WhiteGranite(int x, int y)
{
    double warpX = Fbm(x, y, 8, 8, 2, 57) * 3;
    double warpY = Fbm(x + 31, y + 17, 8, 8, 2, 58) * 3;
    Cells crystals = CellularAt(x + 0.5 + warpX, y + 0.5 + warpY, 40, 40, 51, 0.9);
    double pick = Hash01(crystals.id, 1, 52);
    Rgb color;
    if (pick < 0.05)
        color = { 34, 34, 38 };
    else if (pick < 0.12)
        color = { 96, 96, 102 };
    else if (pick < 0.24)
        color = { 176, 174, 174 };
    else if (pick < 0.40)
        color = { 226, 218, 212 };
    else
        color = { 242, 241, 238 };
    color = Scale(color, 0.96 + Hash01(crystals.id, 2, 53) * 0.08);
    double speck = Hash01(uint32_t(x), uint32_t(y), 54);
    if (speck > 0.985)
        color = Mix(color, Rgb { 30, 30, 34 }, 0.75);
    color = Scale(color, 1 + Fbm(x, y, 4, 4, 3, 55) * 0.035);
    return Add(color, Grain(x, y, 56) * 3);
}

// Grey canvas: a plain weave of grey threads, each crossing alternately over and under.
Rgb GreyCanvas(int px, int py)
{
    constexpr int kThreadsX = 32; // both even, so over-under alternation repeats
    constexpr int kThreadsY = 32;
    double u = (px + 0.5) / kWidth * kThreadsX;
    double v = (py + 0.5) / kHeight * kThreadsY;
    int i = int(std::floor(u));
    int j = int(std::floor(v));
    double fu = u - i;
    double fv = v - j;
    bool warpOnTop = ((i + j) % 2) == 0;
    // A thread is brightest along its middle and dips into shadow at its sides and where
    // it dives under the crossing thread.
    double across = warpOnTop ? fu : fv;
    double along = warpOnTop ? fv : fu;
    double profile = std::sin(across * kPi);
    double dive = 0.75 + 0.25 * std::sin(along * kPi);
    uint32_t thread = warpOnTop ? uint32_t(i) : uint32_t(j) + 1000;
    double threadTone = 0.93 + Hash01(thread, warpOnTop ? 1 : 2, 61) * 0.12;
    Rgb base = warpOnTop ? Rgb { 170, 170, 166 } : Rgb { 150, 150, 148 };
    Rgb color = Scale(base, (0.55 + 0.45 * profile) * dive * threadTone);
    // Slubs and fibre noise along the threads.
    double fibre = PeriodicNoise(warpOnTop ? u * kWidth / kThreadsX * 4 : v * kWidth / kThreadsY * 4,
        warpOnTop ? v * kHeight / kThreadsY : u * kHeight / kThreadsX, 16, 8, 62);
    color = Scale(color, 1 + fibre * 0.05);
    return Add(color, Grain(px, py, 63) * 5);
}

// Marble: veins where a turbulence-bent wave crosses zero.
double Veins(double x, double y, int kx, int ky, double turbulence, uint32_t seed)
{
    double phase = (x * kx / kWidth + y * ky / kHeight) * 2 * kPi;
    double wave = std::sin(phase + Turbulence(x, y, 3, 3, 5, seed) * turbulence);
    return std::pow(1 - std::abs(wave), 7);
}

Rgb WhiteMarble(int x, int y)
{
    Rgb base { 240, 239, 236 };
    base = Scale(base, 1 + Fbm(x, y, 3, 3, 4, 71) * 0.03);
    double main = Veins(x, y, 1, 2, 7.0, 72);
    double fine = Veins(x + 40, y + 9, 3, 1, 9.0, 73);
    Rgb vein { 132, 134, 140 };
    Rgb color = Mix(base, vein, main * 0.75);
    color = Mix(color, Rgb { 176, 176, 182 }, fine * 0.45);
    return Add(color, Grain(x, y, 74) * 2);
}

// Blue water: deep blue with bright, creased caustic lines drifting across it.
Rgb BlueWater(int x, int y)
{
    double warpX = Fbm(x, y, 2, 2, 3, 81) * 10;
    double warpY = Fbm(x + 50, y + 20, 2, 2, 3, 82) * 10;
    double caustic = 1 - Turbulence(x + warpX, y + warpY, 3, 3, 3, 83) * 2.2;
    caustic = std::pow(std::clamp(caustic, 0.0, 1.0), 3);
    double depth = 0.5 + Fbm(x, y, 2, 2, 3, 84) * 0.6;
    Rgb deep { 14, 70, 150 };
    Rgb shallow { 40, 130, 200 };
    Rgb color = Mix(deep, shallow, depth);
    color = Mix(color, Rgb { 190, 235, 255 }, caustic * 0.75);
    double wave = std::sin((x * 2.0 / kWidth + y * 3.0 / kHeight) * 2 * kPi + warpX * 0.3) * 0.04;
    return Add(Scale(color, 1 + wave), Grain(x, y, 85) * 3);
}

// Green marble: deep green mottled with lighter green clouds and pale veins.
Rgb GreenMarble(int x, int y)
{
    double cloud = Fbm(x, y, 3, 3, 5, 91, 0.6);
    Rgb dark { 18, 70, 44 };
    Rgb mid { 52, 120, 78 };
    Rgb color = Mix(dark, mid, SmoothStep(-0.4, 0.6, cloud));
    double main = Veins(x, y, 2, 1, 8.0, 92);
    double fine = Veins(x + 23, y + 61, 1, 3, 10.0, 93);
    color = Mix(color, Rgb { 200, 226, 208 }, main * 0.7);
    color = Mix(color, Rgb { 120, 176, 140 }, fine * 0.5);
    return Add(color, Grain(x, y, 94) * 3);
}

// Brown gravel: many small angular stones in warm browns with dark gaps.
Rgb BrownGravel(int px, int py)
{
    constexpr int kCellsX = 12;
    constexpr int kCellsY = 12;
    double x = px + 0.5;
    double y = py + 0.5;
    auto height = [&](double hx, double hy) {
        Cells cells = CellularAt(hx, hy, kCellsX, kCellsY, 101, 0.95);
        return SmoothStep(0, 5, cells.second - cells.nearest) * 4;
    };
    Cells cells = CellularAt(x, y, kCellsX, kCellsY, 101, 0.95);
    double edge = cells.second - cells.nearest;
    static const Rgb kStones[] = { { 128, 92, 60 }, { 150, 112, 74 }, { 104, 76, 52 }, { 170, 132, 92 },
        { 92, 70, 54 }, { 140, 100, 70 } };
    Rgb stone = kStones[Hash(cells.id, 3, 102) % std::size(kStones)];
    stone = Scale(stone, 0.88 + Hash01(cells.id, 4, 103) * 0.24);
    stone = Add(stone, Grain(px, py, 104) * 9);
    Rgb lit = Scale(stone, Lighting(height, x, y, 0.5));
    Rgb gap = Add(Rgb { 52, 38, 28 }, Grain(px, py, 105) * 6);
    return Mix(gap, lit, SmoothStep(0.4, 1.6, edge));
}

struct Texture {
    int resource;
    const char* name;
    Painter paint;
};

} // namespace

} // namespace kelmora

int main(int argc, char** argv)
{
    using namespace kelmora;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const Texture textures[] = {
        { 400, "sand", Sand },
        { 401, "woven-scales", WovenScales },
        { 402, "grey-clouds", GreyClouds },
        { 403, "pebbles", Pebbles },
        { 404, "white-granite", WhiteGranite },
        { 405, "grey-canvas", GreyCanvas },
        { 406, "white-marble", WhiteMarble },
        { 407, "blue-water", BlueWater },
        { 408, "green-marble", GreenMarble },
        { 409, "brown-gravel", BrownGravel },
    };
    std::filesystem::path folder = argv[1];
    for (const Texture& texture : textures) {
        Bitmap bitmap = Bitmap::Create(kWidth, kHeight);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x)
                bitmap.Row(y)[x] = ToArgb(texture.paint(x, y));
        }
        std::filesystem::path path = folder / (std::to_string(texture.resource) + "-" + texture.name + ".png");
        if (!SaveImageFile("png", path, bitmap)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
