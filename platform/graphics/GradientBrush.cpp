#include "platform/graphics/GradientBrush.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kelmora {

namespace {

// Gamma-corrected ramps mix in linear light; between two given points the mix is no
// longer a straight line in the stored colours, so each stretch is drawn as this many
// straight pieces (the error left is under one level of 255 for a black to white ramp).
constexpr int kGammaSteps = 8;
// Ramps given by more points than this (the bell shape's samples among them) are already
// fine enough that the straight pieces between their points follow the gamma curve.
constexpr size_t kMaxPointsToSubdivide = 16;
constexpr double kGamma = 2.2;

// Points per side of a bell-shaped blend, enough that the straight pieces between them
// stay within about one level of 255 of the curve.
constexpr int kBellSamples = 32;
// The bell side is the normal distribution's cumulative curve over ±kBellSpread standard
// deviations, stretched so that it runs exactly from 0 to 1.
constexpr double kBellSpread = 2.0;

uint8_t ChannelLevel(Color c, int index)
{
    switch (index) {
    case 0: return c.GetR();
    case 1: return c.GetG();
    case 2: return c.GetB();
    default: return c.GetA();
    }
}

double Channel(Color c, int index)
{
    return ChannelLevel(c, index) / 255.0;
}

// Each of the 256 channel levels in linear light, worked out once: every gradient drawn
// mixes its colours through them.
const std::array<double, 256>& LinearLevels()
{
    static const std::array<double, 256> levels = [] {
        std::array<double, 256> table{};
        for (int level = 0; level < 256; ++level)
            table[size_t(level)] = std::pow(level / 255.0, kGamma);
        return table;
    }();
    return levels;
}

// Mixes a and b by share t (0 = a), each colour channel in linear light when `gamma`.
void Mix(Color a, Color b, double t, bool gamma, double rgba[4])
{
    const std::array<double, 256>& linear = LinearLevels();
    for (int i = 0; i < 4; ++i) {
        double x = Channel(a, i);
        double y = Channel(b, i);
        double lo = std::min(x, y);
        double hi = std::max(x, y);
        double v;
        if (gamma && i < 3) {
            const double lx = linear[ChannelLevel(a, i)];
            v = std::pow(lx + (linear[ChannelLevel(b, i)] - lx) * t, 1.0 / kGamma);
        } else {
            v = x + (y - x) * t;
        }
        rgba[i] = std::isfinite(v) ? std::clamp(v, lo, hi) : lo;
    }
}

bool ArePositions(std::span<const float> positions)
{
    float previous = 0.0f;
    for (float p : positions) {
        if (!std::isfinite(p) || p < previous || p > 1.0f)
            return false;
        previous = p;
    }
    return true;
}

// The rising side of the bell: 0 at t = 0, 1 at t = 1.
double BellSide(double t)
{
    const double low = std::erf(-kBellSpread / std::sqrt(2.0));
    const double high = std::erf(kBellSpread / std::sqrt(2.0));
    return (std::erf((2.0 * t - 1.0) * kBellSpread / std::sqrt(2.0)) - low) / (high - low);
}

bool IsUnit(float v) { return std::isfinite(v) && v >= 0.0f && v <= 1.0f; }

} // namespace

bool GradientBrush::SetBlend(std::span<const float> factors, std::span<const float> positions)
{
    if (factors.size() != positions.size() || factors.size() < 2 || !ArePositions(positions))
        return false;
    if (!std::all_of(factors.begin(), factors.end(), [](float f) { return std::isfinite(f); }))
        return false;
    m_positions.assign(positions.begin(), positions.end());
    m_factors.assign(factors.begin(), factors.end());
    m_rampIsColors = false;
    return true;
}

bool GradientBrush::SetBlendTriangularShape(float focus, float scale)
{
    if (!IsUnit(focus) || !IsUnit(scale))
        return false;
    m_positions = {0.0, focus, 1.0};
    m_factors = {focus > 0.0f ? 0.0 : scale, scale, focus < 1.0f ? 0.0 : scale};
    m_rampIsColors = false;
    return true;
}

bool GradientBrush::SetBlendBellShape(float focus, float scale)
{
    if (!IsUnit(focus) || !IsUnit(scale))
        return false;
    m_positions.clear();
    m_factors.clear();
    if (focus > 0.0f) {
        for (int i = 0; i <= kBellSamples; ++i) {
            double t = double(i) / kBellSamples;
            m_positions.push_back(focus * t);
            m_factors.push_back(scale * BellSide(t));
        }
    } else {
        m_positions.push_back(0.0);
        m_factors.push_back(scale);
    }
    if (focus < 1.0f) {
        for (int i = 1; i <= kBellSamples; ++i) {
            double t = double(i) / kBellSamples;
            m_positions.push_back(focus + (1.0 - focus) * t);
            m_factors.push_back(scale * BellSide(1.0 - t));
        }
    } else {
        m_positions.push_back(1.0);
        m_factors.push_back(scale);
    }
    m_rampIsColors = false;
    return true;
}

bool GradientBrush::SetInterpolationColors(std::span<const Color> colors, std::span<const float> positions)
{
    if (colors.size() != positions.size() || colors.size() < 2 || !ArePositions(positions))
        return false;
    m_positions.assign(positions.begin(), positions.end());
    m_colors.assign(colors.begin(), colors.end());
    m_rampIsColors = true;
    return true;
}

std::vector<GradientSample> GradientBrush::Samples() const
{
    const size_t n = m_positions.size();
    std::vector<GradientSample> samples;
    samples.reserve(n * kGammaSteps + 2);
    // The sample at share t between ramp points i and i + 1 (t = 0 is point i).
    auto add = [&](double position, size_t i, double t) {
        GradientSample s;
        s.position = position;
        if (m_rampIsColors) {
            Color next = m_colors[std::min(i + 1, n - 1)];
            Mix(m_colors[i], next, t, m_gammaCorrection, s.rgba);
        } else {
            double next = m_factors[std::min(i + 1, n - 1)];
            s.factor = m_factors[i] + (next - m_factors[i]) * t;
        }
        samples.push_back(s);
    };
    const bool subdivide = m_gammaCorrection && n <= kMaxPointsToSubdivide;
    if (m_positions.front() > 0.0)
        add(0.0, 0, 0.0);
    for (size_t i = 0; i < n; ++i) {
        add(m_positions[i], i, 0.0);
        if (i + 1 < n && subdivide && m_positions[i + 1] > m_positions[i]) {
            for (int k = 1; k < kGammaSteps; ++k) {
                double t = double(k) / kGammaSteps;
                add(m_positions[i] + (m_positions[i + 1] - m_positions[i]) * t, i, t);
            }
        }
    }
    if (m_positions.back() < 1.0)
        add(1.0, n - 1, 0.0);
    return samples;
}

void GradientBrush::MixAt(const GradientSample& sample, Color from, Color to, double rgba[4]) const
{
    if (m_rampIsColors) {
        std::copy(sample.rgba, sample.rgba + 4, rgba);
        return;
    }
    Mix(from, to, sample.factor, m_gammaCorrection, rgba);
}

bool GradientBrush::SetTransform(const Matrix& matrix)
{
    if (!matrix.IsFinite() || !matrix.IsInvertible())
        return false;
    m_transform = matrix;
    return true;
}

bool GradientBrush::MultiplyTransform(const Matrix& matrix, MatrixOrder order)
{
    Matrix combined = m_transform;
    combined.Multiply(matrix, order);
    return SetTransform(combined);
}

bool GradientBrush::TranslateTransform(float dx, float dy, MatrixOrder order)
{
    return MultiplyTransform(Matrix::Translation(dx, dy), order);
}

bool GradientBrush::ScaleTransform(float sx, float sy, MatrixOrder order)
{
    return MultiplyTransform(Matrix::Scaling(sx, sy), order);
}

bool GradientBrush::RotateTransform(float degrees, MatrixOrder order)
{
    if (!std::isfinite(degrees))
        return false;
    return MultiplyTransform(Matrix::Rotation(degrees), order);
}

} // namespace kelmora
