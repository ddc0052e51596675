// Writes the starter presets that ship with the program: a few line caps into
// <data folder>/Arrow and a few gradient brushes into <data folder>/Brush.
//
//   kelmora_preset_generator <data folder>
//
// The build runs it, so the shipped presets are always in the current file format. Each
// brush is written the way the brush editor writes a gradient it shows (GradientForms.h).

#include "document/StylePresets.h"
#include "model/BrushMan.h"
#include "model/CustomCapMan.h"
#include "model/GradientForms.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace kelmora {

namespace {

struct CapPreset {
    const char* name;
    int shape;        // built-in outline
    bool filled;
    int32_t sizeX;    // −1: the outline's own
    int32_t sizeY;
    int32_t angle;
};

// Sizes are in cap units (pen widths): the built-in outlines are 10 across.
constexpr CapPreset kCaps[] = {
    {"Arrow", 0, true, -1, -1, 0},
    {"Triangle", 2, true, -1, -1, 0},
    {"Open Arrow", 2, false, -1, -1, 0},
    {"Chevrons", 4, false, -1, -1, 0},
    {"Dot", 6, true, 5, 5, 0},
    {"Square", 7, true, 5, 5, 0},
    {"Diamond", 7, true, 5, 5, 45},
    {"Bar", 1, false, 6, -1, 0},
};

struct BrushPreset {
    const char* name;
    GradientForm form;
    float angle;
    std::vector<ARGB> colours;
    std::vector<float> positions;   // the first 0, the last 1
};

const std::vector<BrushPreset>& BrushPresets()
{
    static const std::vector<BrushPreset> presets = {
        {"Sunrise", GradientForm::Linear, 90.0f, {0xFFFFD27A, 0xFFFF8A3D, 0xFF5A2E8C}, {0.0f, 0.45f, 1.0f}},
        {"Sea", GradientForm::Linear, 0.0f, {0xFF0B3D6E, 0xFF1F8FB8, 0xFFBDEBF5}, {0.0f, 0.6f, 1.0f}},
        {"Glow", GradientForm::Radial, 0.0f, {0xFF1A1A40, 0xFF3F6FD8, 0xFFFFFFFF}, {0.0f, 0.5f, 1.0f}},
        {"Silver", GradientForm::Square, 0.0f, {0xFF6E737A, 0xFFC9CDD2, 0xFFFFFFFF}, {0.0f, 0.5f, 1.0f}},
        {"Rainbow", GradientForm::Conical, 0.0f,
         {0xFFE53935, 0xFFFDD835, 0xFF43A047, 0xFF00ACC1, 0xFF1E88E5, 0xFF8E24AA},
         {0.0f, 0.2f, 0.4f, 0.6f, 0.8f, 1.0f}},
    };
    return presets;
}

bool Report(const PresetResult& result)
{
    if (!result)
        std::fprintf(stderr, "%s\n", result.message.c_str());
    return result.ok;
}

} // namespace

} // namespace kelmora

int main(int argc, char** argv)
{
    using namespace kelmora;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    bool ok = true;
    const PresetFolders arrow{{}, root / kLineCapPresetFolder};
    for (const CapPreset& preset : kCaps) {
        CustomCapMan cap;
        cap.Init(preset.shape);
        cap.m_bFilled = preset.filled;
        cap.m_nSizeX = preset.sizeX;
        cap.m_nSizeY = preset.sizeY;
        cap.m_nAngle = preset.angle;
        cap.m_strName = preset.name;
        ok = Report(WriteCapPreset(arrow, preset.name, cap)) && ok;
    }
    const PresetFolders brush{{}, root / kBrushPresetFolder};
    for (const BrushPreset& preset : BrushPresets()) {
        BrushMan gradient;
        gradient.m_fAngle = preset.angle;
        StoreGradientForm(gradient, preset.form, preset.colours, preset.positions);
        ok = Report(WriteBrushPreset(brush, preset.name, gradient)) && ok;
    }
    return ok ? 0 : 1;
}
