#pragma once
// The description of one custom line-end cap: an outline and how it is sized, mirrored,
// shifted and rotated into cap space, with the custom-cap settings. An outline pen holds
// two (start and end), used when its cap code is kCustomLineCap.
//
// A value: copied and assigned with its pen. The outline is in untransformed cap
// coordinates; a cap that holds none stands for the built-in outline of m_nIndex.

#include "platform/archive/CObject.h"
#include "platform/geometry/GraphicsPath.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kelmora {

class CustomCapMan : public CObject {
    KELMORA_DECLARE_SERIAL(CustomCapMan)

public:
    CustomCapMan() = default;
    CustomCapMan(const CustomCapMan& other);
    CustomCapMan& operator=(const CustomCapMan& other);
    ~CustomCapMan() override;

    // Releases the held outline and holds a copy of `path`; the index stays.
    void SetPath(const GraphicsPath& path);

    int32_t m_nIndex = 0;            // built-in cap whose outline is used when none is held
    float m_fBaseInset = 0.0f;
    float m_fWidthScale = 1.0f;
    int32_t m_nBaseCap = 0;
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
