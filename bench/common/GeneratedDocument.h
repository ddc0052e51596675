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

// The compound file that saving a generated drawing of `count` objects puts into the
// document's zip archive: what the zip writer compresses.
std::vector<uint8_t> GeneratedDocumentFile(int count);

} // namespace kelmora
