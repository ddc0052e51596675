#include "platform/geometry/PathThinning.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kelmora {

namespace {

// The points of the figure, none closer to the last one kept than kThinSpacing; the last
// point of the figure always stays, so that an open figure keeps both its ends.
std::vector<PointF> Spaced(const std::vector<PointF>& points)
{
    std::vector<PointF> kept;
    if (points.empty())
        return kept;
    constexpr float kSpacing2 = kThinSpacing * kThinSpacing;
    kept.push_back(points.front());
    for (size_t i = 1; i + 1 < points.size(); ++i) {
        const float dx = points[i].X - kept.back().X;
        const float dy = points[i].Y - kept.back().Y;
        if (dx * dx + dy * dy >= kSpacing2)
            kept.push_back(points[i]);
    }
    if (points.size() > 1)
        kept.push_back(points.back());
    return kept;
}

// Every `step`-th point and the last one.
std::vector<PointF> EveryNth(const std::vector<PointF>& points, size_t step)
{
    std::vector<PointF> kept;
    for (size_t i = 0; i < points.size(); i += step)
        kept.push_back(points[i]);
    if (points.size() > 1 && (points.size() - 1) % step != 0)
        kept.push_back(points.back());
    return kept;
}

} // namespace

std::optional<GraphicsPath> ThinnedPath(const GraphicsPath& path, const Matrix& toDevice)
{
    const RectF extent = path.GetBounds(&toDevice);
    const double budget = double(kThinPointsPerPixel) * std::max(1.0, double(extent.Width) + double(extent.Height));
    if (!(double(path.PointCount()) > budget))
        return std::nullopt;
    const std::optional<Matrix> toPath = toDevice.Inverted();
    if (!toPath)
        return std::nullopt;

    std::vector<FlattenedFigure> figures = path.GetFlattenedFigures(&toDevice, kThinSpacing);
    size_t total = 0;
    for (FlattenedFigure& figure : figures) {
        figure.points = Spaced(figure.points);
        total += figure.points.size();
    }
    if (double(total) > budget) {
        size_t step = size_t(std::ceil(double(total) / budget));
        step += step % 2 == 0 ? 1 : 0;
        for (FlattenedFigure& figure : figures)
            figure.points = EveryNth(figure.points, step);
    }

    GraphicsPath thinned(path.GetFillMode());
    for (FlattenedFigure& figure : figures) {
        // A lone point draws nothing.
        if (figure.points.size() < 2)
            continue;
        toPath->TransformPoints(figure.points);
        thinned.StartFigure();
        thinned.AddLines(figure.points);
        if (figure.closed)
            thinned.CloseFigure();
    }
    return thinned;
}

} // namespace kelmora
