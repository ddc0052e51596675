// The archive record of the polyline family: the base record, the points, the type bytes
// of custom paths, and the shape parameters.
//
// Loading checks the point count against the bytes that remain before it allocates, and
// refuses a type count that is neither 0 nor the point count: the record would otherwise
// be read out of step and every value after it would be garbage.

#include "model/DrawPoly.h"
#include "model/GraphicsValues.h"
#include "platform/base/WorkProgress.h"

#include <string>

namespace kelmora {

namespace {

// Bytes of one stored point: two floats.
constexpr uint64_t kPointBytes = 8;
// Points stored between two reports of a save's progress, less one (a mask).
constexpr int kPointsPerProgressReport = (1 << 18) - 1;

} // namespace

void CDrawPoly::Serialize(Archive& ar)
{
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << uint32_t(m_nPoints);
        for (int i = 0; i < m_nPoints; ++i) {
            SerializePointF(ar, m_points[size_t(i)]);
            // Millions of points take a noticeable while to store.
            if ((i & kPointsPerProgressReport) == kPointsPerProgressReport)
                ReportWorkProgress(uint64_t(i), uint64_t(m_nPoints));
        }
        const bool withTypes = !m_pointTypes.empty() && m_pointTypes.size() >= size_t(m_nPoints);
        ar << uint32_t(withTypes ? m_nPoints : 0);
        if (withTypes && m_nPoints > 0)
            ar.Write(m_pointTypes.data(), size_t(m_nPoints));
        ar << uint32_t(m_nTension) << m_nArrowStyle << m_nArrowEnds << m_fArrowSize << m_fArrowAngle
           << m_fStartAngle << m_fSweepAngle << m_fRadiusX << m_fRadiusY << m_nReserved;
        return;
    }

    const uint32_t n = ar.ReadUInt32();
    ar.RequireRemaining(n, kPointBytes);
    if (n > uint32_t(INT32_MAX))
        throw ArchiveException(ArchiveException::Cause::EndOfFile, "point count " + std::to_string(n));
    std::vector<PointF> points(n);
    for (PointF& p : points)
        SerializePointF(ar, p);
    const uint32_t m = ar.ReadUInt32();
    if (m != 0 && m != n)
        throw ArchiveException(ArchiveException::Cause::Generic, "point type count " + std::to_string(m)
                                                                     + " does not match point count "
                                                                     + std::to_string(n));
    std::vector<uint8_t> types;
    if (m > 0)
        types = ar.ReadBytes(m);
    const int32_t tension = ar.ReadInt32();
    const uint32_t arrowStyle = ar.ReadUInt32();
    const uint32_t arrowEnds = ar.ReadUInt32();
    const float arrowSize = ar.ReadFloat();
    const float arrowAngle = ar.ReadFloat();
    const float startAngle = ar.ReadFloat();
    const float sweepAngle = ar.ReadFloat();
    const float radiusX = ar.ReadFloat();
    const float radiusY = ar.ReadFloat();
    const uint32_t reserved = ar.ReadUInt32();

    // Only a complete record changes the object.
    m_nPoints = int32_t(n);
    m_nMaxPoints = int32_t(n);
    m_points = std::move(points);
    m_pointTypes = std::move(types);
    m_nTension = tension;
    m_nArrowStyle = arrowStyle;
    m_nArrowEnds = arrowEnds;
    m_fArrowSize = arrowSize;
    m_fArrowAngle = arrowAngle;
    m_fStartAngle = startAngle;
    m_fSweepAngle = sweepAngle;
    m_fRadiusX = radiusX;
    m_fRadiusY = radiusY;
    m_nReserved = reserved;
}

} // namespace kelmora
