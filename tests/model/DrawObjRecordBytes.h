#pragma once
// Byte builders for the golden records of the style and drawing-object tests.

#include "archive/ArchiveTestSupport.h"

#include <bit>
#include <cstdint>
#include <initializer_list>

namespace kelmora::test {

// Appends little-endian values to a byte vector.
class RecordBytes {
public:
    RecordBytes& U32(uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(uint8_t(value >> (8 * i)));
        return *this;
    }
    RecordBytes& I32(int32_t value) { return U32(uint32_t(value)); }
    RecordBytes& F32(float value) { return U32(std::bit_cast<uint32_t>(value)); }
    RecordBytes& Floats(std::initializer_list<float> values)
    {
        for (float value : values)
            F32(value);
        return *this;
    }
    RecordBytes& Byte(uint8_t value)
    {
        m_bytes.push_back(value);
        return *this;
    }
    // The empty string: the Unicode marker and a zero length.
    RecordBytes& EmptyString() { return Append(B({0xFF, 0xFE, 0xFF, 0x00})); }
    RecordBytes& Append(const Bytes& bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    RecordBytes& IdentityMatrix() { return U32(1).Floats({1, 0, 0, 1, 0, 0}); }

    const Bytes& Get() const { return m_bytes; }
    operator const Bytes&() const { return m_bytes; }

private:
    Bytes m_bytes;
};

// The record of a fill at its defaults: 232 bytes.
inline Bytes DefaultFillRecord()
{
    RecordBytes r;
    r.U32(0).U32(1).F32(0).I32(0).I32(0).I32(0);       // use points, reserved 1, angle, size, offsets
    r.Floats({0, 0, 0, 0});                            // start and end points
    r.I32(0).I32(0).I32(0).I32(1);                     // kind, hatch style, wrap mode, gamma correction
    r.Floats({0, 0, 0, 0});                            // bounds
    r.U32(0xFF000000).U32(0xFFFFFFFF);                 // fore, back
    r.U32(0);                                          // no image
    r.EmptyString().I32(0);                            // image file, texture
    r.Floats({0, 0, 0, 0}).Floats({0, 0, 0, 0});       // source, tile
    r.U32(0xFF000000);                                 // extra colour
    r.Floats({0.5f, 0.5f, 0, 0, 0.5f, 0.5f, 0.5f, 0.5f}); // centre, focus scales, focus, radii
    r.I32(0).I32(0).I32(0).I32(0).F32(0).F32(0);       // preset, linear mode, path style, blend shape, focus, scale
    r.U32(0).U32(0).U32(0);                            // blend, interpolation, surround counts
    r.IdentityMatrix();
    r.U32(0).U32(0);                                   // no attached object, reserved 2
    return r.Get();
}

// The record of a cap at its defaults (built-in cap 0): 60 bytes.
inline Bytes DefaultCapRecord()
{
    RecordBytes r;
    r.I32(0).F32(0).F32(1).I32(0).I32(0).I32(0).I32(0).Byte(0).I32(-1).I32(-1).Byte(0).Byte(0);
    r.I32(0).I32(0).I32(0).Byte(0).EmptyString().I32(0);
    return r.Get();
}

// The record of a pen at its defaults, with its fill: 296 bytes.
inline Bytes DefaultPenRecord()
{
    RecordBytes r;
    r.U32(1).F32(3).I32(0);                  // reserved 1, width, dash style
    r.I32(0).I32(0).F32(0);                  // alignment, dash cap, dash offset
    r.I32(0).I32(0);                         // start cap, end cap
    r.I32(0).F32(0);                         // line join, miter limit
    r.U32(0);                                // compound count
    r.I32(0).I32(100).I32(100).U32(0).U32(0); // angle, scale X, scale Y, reserved 2 and 3
    r.Append(DefaultFillRecord());
    return r.Get();
}

} // namespace kelmora::test
