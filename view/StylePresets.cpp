#include "view/StylePresets.h"

#include "model/DrawObj.h"
#include "model/DrawObjGroup.h"

namespace kelmora {

namespace {

constexpr int32_t kOn = 0;
constexpr int32_t kOff = -1;

constexpr QuickStyle Row(int32_t fillState, ARGB fillColor, int32_t lineState, ARGB lineColor)
{
    QuickStyle row;
    row.words = {fillState, int32_t(fillColor), int32_t(0xFF000000), 0, 0,
                 lineState, int32_t(lineColor), int32_t(0xFF000000), 0, 0};
    return row;
}

} // namespace

const std::array<QuickStyle, kQuickStyleRows> QuickStyleTable{{
    Row(kOn, 0xFF404040, kOn, 0xFF000000),
    Row(kOn, 0xFF558CCD, kOn, 0xFF3D618C),
    Row(kOn, 0xFFCF5652, kOn, 0xFF8F3D3B),
    Row(kOn, 0xFFA8CB60, kOn, 0xFF748D42),
    Row(kOn, 0xFF9171B8, kOn, 0xFF614D79),
    Row(kOn, 0xFF4DB3CE, kOn, 0xFF388195),
    Row(kOn, 0xFFF99746, kOn, 0xFFD46B16),
    Row(kOn, 0xFF000000, kOff, 0xFF000000),
    Row(kOn, 0xFF4E80BC, kOff, 0xFF000000),
    Row(kOn, 0xFFBF4F4C, kOff, 0xFF000000),
    Row(kOn, 0xFF9ABA58, kOff, 0xFF000000),
    Row(kOn, 0xFF7F63A1, kOff, 0xFF000000),
    Row(kOn, 0xFF4AABC5, kOff, 0xFF000000),
    Row(kOn, 0xFFF69545, kOff, 0xFF000000),
    Row(kOff, 0xFF000000, kOn, 0xFF000000),
    Row(kOff, 0xFF000000, kOn, 0xFF4E80BC),
    Row(kOff, 0xFF000000, kOn, 0xFFBF4F4C),
    Row(kOff, 0xFF000000, kOn, 0xFF9ABA58),
    Row(kOff, 0xFF000000, kOn, 0xFF7F63A1),
    Row(kOff, 0xFF000000, kOn, 0xFF4AABC5),
    Row(kOff, 0xFF000000, kOn, 0xFFF69545),
    Row(kOff, 0xFF000000, kOn, 0xFF000000),
    Row(kOff, 0xFF000000, kOn, 0xFF000000),
}};

const std::array<ShadowPreset, kShadowPresetRows> ShadowPresetTable{{
    {0, 0xFF000000, 45, 30.0f, 5.0f, 100, 100},
    {1, 0xFF000000, 45, 30.0f, 5.0f, 100, 100},
    {1, 0xFF000000, 90, 30.0f, 5.0f, 100, 100},
    {1, 0xFF000000, 180, 30.0f, 5.0f, 100, 100},
    {1, 0xFF000000, 270, 30.0f, 5.0f, 100, 100},
    {1, 0xFF000000, 45, 30.0f, 10.0f, 100, 100},
    {1, 0xFF000000, 0, 0.0f, 9.0f, 110, 110},
}};

const std::array<GlowPreset, kGlowPresetRows> GlowPresetTable{{
    {false, false, 45.0f, 0xFF000000},
    {true, false, 45.0f, 0xFF000000},
    {false, true, 45.0f, 0xFF000000},
    {true, true, 45.0f, 0xFF000000},
    {true, false, 45.0f, 0xFFFF0000},
    {false, true, 45.0f, 0xFFFF0000},
    {true, true, 45.0f, 0xFFFF0000},
    {true, false, 45.0f, 0xFF00FF00},
    {false, true, 45.0f, 0xFF00FF00},
    {true, true, 45.0f, 0xFF00FF00},
    {true, false, 45.0f, 0xFF0000FF},
    {false, true, 45.0f, 0xFF0000FF},
    {true, true, 45.0f, 0xFF0000FF},
}};

const std::array<ReflectionPreset, kReflectionPresetRows> ReflectionPresetTable{{
    {0, 255, 180, 100, 0.0f},
    {1, 255, 180, 100, 0.0f},
    {1, 255, 0, 100, 0.0f},
    {1, 255, 0, 80, 0.0f},
    {1, 255, 0, 40, 0.0f},
    {1, 120, 0, 100, 0.0f},
    {1, 120, 0, 80, 0.0f},
    {1, 120, 0, 40, 0.0f},
}};

const std::array<int32_t, kTextEffectRows> TextEffectTable{0, 1, 2, 3};

namespace {

void UseOwnSettingsIfGroup(CDrawObj& object)
{
    if (object.m_nShapeType == ShapeType::Group)
        static_cast<CDrawObjGroup&>(object).m_bUseGroupSettings = true;
}

} // namespace

void ApplyQuickStyleTo(CDrawObj& object, const QuickStyle& style, bool quiet)
{
    if (object.CanFill()) {
        object.EnableFill(style.FillOn());
        if (style.FillOn())
            object.SetFillColor(style.FillColor(), quiet);
    }
    if (object.CanStroke()) {
        object.EnableLine(style.LineOn());
        if (style.LineOn())
            object.SetLineColor(style.LineColor(), quiet);
    }
}

void ApplyShadowPresetTo(CDrawObj& object, const ShadowPreset& preset)
{
    UseOwnSettingsIfGroup(object);
    object.m_bShadow = (preset.enabled & 0xFF) != 0;
    object.m_shadowBrush.m_clrFore = preset.color;
    object.m_fShadowDepth = preset.depth;
    object.m_nShadowDirection = uint32_t(preset.direction);
    object.m_fShadowBlur = preset.blur;
    object.m_nShadowScaleX = uint32_t(preset.scaleX);
    object.m_nShadowScaleY = uint32_t(preset.scaleY);
}

void ApplyGlowPresetTo(CDrawObj& object, const GlowPreset& preset)
{
    UseOwnSettingsIfGroup(object);
    object.m_bGlow = preset.glow;
    object.m_bInnerGlow = preset.innerGlow;
    object.m_fGlowRadius = preset.radius;
    object.m_clrGlow = preset.color;
}

void ApplyReflectionPresetTo(CDrawObj& object, const ReflectionPreset& preset)
{
    UseOwnSettingsIfGroup(object);
    object.m_bReflection = (preset.enabled & 0xFF) != 0;
    object.m_fReflectionDistance = preset.distance;
    object.m_nReflectionStartTransparency = uint32_t(preset.startTransparency);
    object.m_nReflectionEndTransparency = uint32_t(preset.endTransparency);
    object.m_nReflectionShown = uint32_t(preset.shown);
}

} // namespace kelmora
