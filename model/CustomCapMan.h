#pragma once
// The description of one custom line-end cap: an outline and how it is sized, mirrored,
// shifted and rotated into cap space, with the custom-cap settings. An outline pen holds
// two (start and end), used when its cap code is PenMan::kCustomLineCap.
//
// Cap space is that of the platform's custom line caps: the origin on the line's end
// point, +y pointing outward beyond the end, units of pen widths times the width scale.
//
// A value: copied and assigned with its pen. The outline is in untransformed cap
// coordinates; a cap that holds none stands for the built-in outline of m_nIndex.
//
// The record does not hold the outline: a cap comes back from a record with the outline
// of its built-in index, whatever outline it held when it was written (see Serialize).

#include "platform/archive/CObject.h"
#include "platform/geometry/GraphicsPath.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kelmora {

class CustomLineCap;

// The number of built-in caps; their indices are 0..kBuiltInCapCount − 1.
inline constexpr int kBuiltInCapCount = 11;

// A new path holding the outline of built-in cap n; null for n outside 0..10.
std::unique_ptr<GraphicsPath> BuildCapPath(int n);
// The name of built-in cap n ("Arrow", "Line", …, "Star"); empty for n outside 0..10.
std::string GetBuiltInCapName(int n);

class CustomCapMan : public CObject {
    KELMORA_DECLARE_SERIAL(CustomCapMan)

public:
    // Built-in cap 0, "Arrow".
    CustomCapMan();
    CustomCapMan(const CustomCapMan& other);
    CustomCapMan& operator=(const CustomCapMan& other);
    ~CustomCapMan() override;

    // Every member to its default with index n, an empty name and the outline of built-in
    // cap n (none for an n outside 0..10).
    void Init(int n);
    // Back to built-in cap 0.
    void Reset();
    // Releases the held outline and holds a copy of `path`; the index stays.
    void SetPath(const GraphicsPath& path);

    // Stores or loads the cap record. Loading rebuilds the outline from the loaded index
    // once the whole record has been read.
    void Serialize(Archive& archive) override;

    // The outline mapped into cap space: mirrored, shifted by the offsets (percent of the
    // target size), scaled to m_nSizeX × m_nSizeY (−1: the outline's own size; an axis on
    // which the outline has no extent keeps scale 1) and rotated by m_nAngle, in that
    // order. Null when the cap holds no outline and its index names no built-in cap, or
    // when the sizes are so large that the mapped points would not be finite.
    std::unique_ptr<GraphicsPath> CreateCapPath() const;

    // A new custom line cap for one pen, owned by the caller: CreateCapPath as its fill
    // path (m_bFilled) or stroke path, with the base cap, base inset, width scale, stroke
    // caps and stroke join. Null when there is no outline. A base inset or width scale
    // that is not finite is left at the cap's default for that one setting.
    std::unique_ptr<CustomLineCap> CreateLineCap() const;

    int32_t m_nIndex = 0;            // built-in cap whose outline is used when none is held
    float m_fBaseInset = 0.0f;
    float m_fWidthScale = 1.0f;
    int32_t m_nBaseCap = 0;          // line cap code
    int32_t m_nStrokeStartCap = 0;
    int32_t m_nStrokeEndCap = 0;
    int32_t m_nStrokeJoin = 0;
    bool m_bFilled = false;          // the outline is the cap's fill path, else its stroke path
    int32_t m_nSizeX = -1;           // width the outline is scaled to; −1 keeps its own
    int32_t m_nSizeY = -1;
    bool m_bMirrorX = false;
    bool m_bMirrorY = false;
    int32_t m_nOffsetX = 0;          // percent of the target width
    int32_t m_nOffsetY = 0;          // percent of the target height
    int32_t m_nAngle = 0;            // degrees
    bool m_bReserved = false;        // carried and stored, never read
    std::unique_ptr<GraphicsPath> m_pPath;
    int32_t m_nReserved = 0;         // carried and stored, never read
    std::string m_strName;           // name as a preset
};

} // namespace kelmora
