#pragma once
// Generated drawings for the benchmarks: deterministic, with the mix of shapes, styles and
// names a real logo page has, so that file sizes and compression ratios are representative.

#include "document/DrawDoc.h"
#include "document/StandaloneEnvironment.h"
#include "model/DrawObj.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace kelmora {

// Adds `count` objects in rows: rectangle-family shapes and lines with arrow heads,
// each with a fill, outline and name of its own.
void PopulateDocument(CDrawDoc& doc, int count);

// Adds `count` objects spread over the default page as a logo of many parts has them:
// rectangles, rounded rectangles, ellipses, stars, polygons and lines, filled solid or
// with a linear gradient, outlined 1 to 10 units wide, a quarter of them dashed. Each is
// named as the tools name them ("Rectangle - 7").
void PopulateLogo(CDrawDoc& doc, int count);

// Adds a polygon of `points` vertices round a circle 1,200 units across, each up to one
// unit off it, as a traced outline has them, filled and outlined 3 units wide: far more
// detail than any picture of it can show.
CDrawObj* AddDensePolygon(CDrawDoc& doc, int points);

// Adds a text object holding one word of `letters` letters on one line.
CDrawObj* AddLongWord(CDrawDoc& doc, int letters);

// The compound file that saving a generated drawing of `count` objects puts into the
// document's zip archive: what the zip writer compresses.
std::vector<uint8_t> GeneratedDocumentFile(int count);

} // namespace kelmora
