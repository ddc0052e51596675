#pragma once
// What the ribbon's live preview asks of the active editing view while the pointer moves
// over a gallery or a colour palette: keep the selection's state once, apply the hovered
// value without undo, and put the kept state back when the pointer leaves without a
// choice. An editing view that offers live preview implements it; the frame reaches it
// through the active view.

#include "model/Argb.h"

namespace kelmora {

class LivePreview {
public:
    virtual ~LivePreview() = default;

    // Saves the selection's state unless a saved state exists already.
    virtual void SavePreviewState() = 0;
    // Puts the saved state back and forgets it.
    virtual void RestorePreviewState() = 0;

    virtual void ApplyLineColor(ARGB color) = 0;
    virtual void ApplyFillColor(ARGB color) = 0;
    virtual void ApplyShadowColor(ARGB color) = 0;
    virtual void ApplyGlowColor(ARGB color) = 0;
    // 1 to 7 points.
    virtual void ApplyLineWeight(int weight) = 0;
    virtual void ApplyDashStyle(int index) = 0;
    // Row `row` of the quick-style table.
    virtual void ApplyQuickStyle(int row) = 0;
    virtual void ApplyShadowPreset(int index) = 0;
    virtual void ApplyGlowPreset(int index) = 0;
    virtual void ApplyReflectionPreset(int index) = 0;
    virtual void ApplyTextEffect(int index) = 0;

protected:
    LivePreview() = default;
};

} // namespace kelmora
