#pragma once
// The type byte GDI+ keeps beside every path point, and the one table that says how many
// points each kind of segment takes.
//
// The low three bits give the kind: Start opens a figure, Line draws a straight segment
// from the previous point, Bezier marks the three points (control 1, control 2, end) of a
// cubic segment from the previous point. Flags are OR-ed on top: Marker (set by
// GraphicsPath::SetMarker) and CloseSubpath on the last point of a closed figure. DashMode
// is internal to GDI+'s stroker and never produced by the path builders.

#include <cstdint>

namespace kelmora {

namespace PathPointType {
inline constexpr uint8_t Start = 0x00;
inline constexpr uint8_t Line = 0x01;
inline constexpr uint8_t Bezier = 0x03;
inline constexpr uint8_t TypeMask = 0x07;
inline constexpr uint8_t DashMode = 0x10;
inline constexpr uint8_t Marker = 0x20;
inline constexpr uint8_t CloseSubpath = 0x80;
inline constexpr uint8_t FlagMask = DashMode | Marker | CloseSubpath;
} // namespace PathPointType

// Points each kind takes, indexed by (type & TypeMask): 1 for Start and Line, 3 for a
// Bézier segment, 0 for the values GDI+ does not define (2 and 4 to 7).
inline constexpr uint8_t kPointsPerPathType[8] = {1, 1, 0, 3, 0, 0, 0, 0};

constexpr uint8_t PathTypeKind(uint8_t type) { return type & PathPointType::TypeMask; }
constexpr int PointsForPathType(uint8_t type) { return kPointsPerPathType[PathTypeKind(type)]; }
constexpr bool IsClosingPathType(uint8_t type) { return (type & PathPointType::CloseSubpath) != 0; }

} // namespace kelmora
