#pragma once
// What linear and path gradient brushes share: the colour ramp along the gradient
// position, its blend shape or interpolation colours, gamma correction, the wrap mode and
// the brush transform.
//
// The ramp runs over a position p from 0 to 1 (linear: from the start to the end boundary;
// path: from the boundary to the centre). By default the second colour's share grows as p;
// a blend gives that share piecewise linearly (factors at positions), the triangular and
// bell shapes rise from 0 to `scale` at `focus` and fall back to 0, and interpolation
// colours replace both colours with a ramp of their own. Whichever of these was set last
// is the one used. With gamma correction colours are mixed in linear light (gamma 2.2).
//
// Setters refuse (false, brush unchanged) values that cairo must never see or that make
// no ramp: counts that differ or are under two, positions outside 0..1, out of order or
// not finite, factors not finite, a focus or scale outside 0..1. Factors are taken as
// they are but the mixed colour is clamped to the two colours' range. A position list
// that does not start at 0 or end at 1 holds its first and last value flat to the ends.
//
// The transform calls refuse (false, transform unchanged) a result that is not finite or
// not invertible, as for textures.

#include "platform/geometry/Matrix.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/WrapMode.h"

#include <span>
#include <vector>

namespace kelmora {

// One point of a ramp: the position and either the second colour's share there or, for
// interpolation colours, the colour itself (straight RGBA, 0..1).
struct GradientSample {
    double position = 0;
    double factor = 0;
    double rgba[4] = {0, 0, 0, 0};
};

class GradientBrush : public Brush {
public:
    WrapMode GetWrapMode() const { return m_wrapMode; }
    bool GetGammaCorrection() const { return m_gammaCorrection; }
    void SetGammaCorrection(bool useGammaCorrection) { m_gammaCorrection = useGammaCorrection; }

    bool SetBlend(std::span<const float> factors, std::span<const float> positions);
    bool SetBlendTriangularShape(float focus, float scale = 1.0f);
    bool SetBlendBellShape(float focus, float scale = 1.0f);
    bool SetInterpolationColors(std::span<const Color> colors, std::span<const float> positions);
    bool HasInterpolationColors() const { return m_rampIsColors; }

    Matrix GetTransform() const { return m_transform; }
    bool SetTransform(const Matrix& matrix);
    void ResetTransform() { m_transform.Reset(); }
    bool MultiplyTransform(const Matrix& matrix, MatrixOrder order = MatrixOrder::Prepend);
    bool TranslateTransform(float dx, float dy, MatrixOrder order = MatrixOrder::Prepend);
    bool ScaleTransform(float sx, float sy, MatrixOrder order = MatrixOrder::Prepend);
    bool RotateTransform(float degrees, MatrixOrder order = MatrixOrder::Prepend);

    bool IsValid() const override { return m_valid; }

    // The ramp as samples in order of position, 0 first and 1 last, close enough that
    // mixing linearly between neighbours draws it (curves and gamma are sampled finely;
    // two samples at one position make a hard step).
    std::vector<GradientSample> Samples() const;
    // The colour of a sample between `from` (share 0) and `to` (share 1), straight RGBA 0..1.
    void MixAt(const GradientSample& sample, Color from, Color to, double rgba[4]) const;

protected:
    GradientBrush() = default;
    GradientBrush(const GradientBrush&) = default;
    GradientBrush& operator=(const GradientBrush&) = default;

    WrapMode m_wrapMode = WrapMode::Tile;
    bool m_valid = false;

private:
    bool m_gammaCorrection = false;
    Matrix m_transform;
    // Blend: positions and shares; the default is the straight ramp.
    std::vector<double> m_positions{0.0, 1.0};
    std::vector<double> m_factors{0.0, 1.0};
    // Interpolation colours (in place of the blend when m_rampIsColors).
    bool m_rampIsColors = false;
    std::vector<Color> m_colors;
};

} // namespace kelmora
