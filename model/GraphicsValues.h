#pragma once
// How records store the graphics value types: colours, points, rectangles, matrices and
// pictures. Every record goes through these helpers so each value has one encoding.
//
//   Color         4 bytes   ARGB, alpha in the top byte
//   PointF        8 bytes   X, Y as floats (also used for sizes)
//   RectF        16 bytes   X, Y, Width, Height as floats
//   matrix block  4 or 28   u32 flag; when 1, m11 m12 m21 m22 dx dy as floats
//   image block   4 or 4+n  u32 length n, then n bytes of a PNG file; 0 for no picture
//
// The Serialize helpers work in the archive's direction; the Write helpers throw the
// archive's read-only error on a loading archive and the Read helpers its write-only
// error on a storing one, so a record can never silently skip a value.

#include "platform/archive/Archive.h"
#include "platform/archive/ByteStream.h"
#include "platform/geometry/Matrix.h"
#include "platform/geometry/PointF.h"
#include "platform/geometry/RectF.h"
#include "platform/imaging/Bitmap.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace kelmora {

void SerializeColor(Archive& ar, uint32_t& argb);
void SerializePointF(Archive& ar, PointF& point);
void SerializeRectF(Archive& ar, RectF& rect);

// Writes the matrix block; null writes the single u32 0.
void WriteMatrix(Archive& ar, const Matrix* matrix);

// Reads a matrix block. Flag 0 gives null; so do elements that are NaN or infinite, which
// no drawing step could use (the caller puts an identity matrix in place).
std::unique_ptr<Matrix> ReadMatrix(Archive& ar);

// Reads a matrix block into `matrix`. Flag 0 or non-finite elements leave it unchanged;
// the result says whether it was set.
bool ReadMatrixInto(Archive& ar, Matrix& matrix);

// Writes the image block: null writes u32 0. A bitmap that keeps the PNG or undecodable
// bytes it came from writes those bytes back unchanged; any other picture is encoded as
// PNG now. An encoder failure throws the archive's generic error rather than writing an
// empty block that would lose the picture. An archive for comparison gets the picture's
// content id instead (u32 0xFFFFFFFF, then the u64 id).
void WriteImagePng(Archive& ar, const Bitmap* image);

// Reads an image block. A length <= 0 gives null and reads nothing more; a length past the
// end of the archive throws end-of-file before anything is allocated. Bytes that do not
// decode give a bitmap whose status is not Ok and which keeps the bytes for the next save.
std::shared_ptr<Bitmap> ReadImagePng(Archive& ar);

// A stream's whole content from its start (its position is left at the end).
std::vector<uint8_t> StreamToBytes(ByteStream& stream);
// A new memory stream holding the bytes, positioned at its start.
std::unique_ptr<ByteStream> BytesToStream(std::vector<uint8_t> bytes);

// Decodes one of the program's picture resources (the built-in textures 400 to 409);
// null when there is no such resource or it does not decode.
std::shared_ptr<Bitmap> LoadBitmapResource(int resourceId);

} // namespace kelmora
