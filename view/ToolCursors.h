#pragma once
// The cursors the drawing tools show. System cursors where the desktop has one that says
// the same; the others are drawn by the program: an arrow with a small sign beside it.

#include "model/HandleCursor.h"

class wxCursor;

namespace kelmora {

enum class ToolCursor {
    Arrow,
    Cross,         // a creation tool
    AnchorIdle,    // an edit tool with nothing to edit under the pointer
    InsertPoint,   // a point can be put on the outline here
    DeletePoint,   // the point under the pointer can be removed
    CopyFormat,    // a copy-format pick-up is pending
    Freehand,      // points follow the pointer
};

// The cursor, made once per run on first use. UI thread only.
const wxCursor& GetToolCursor(ToolCursor cursor);
const wxCursor& GetHandleCursor(HandleCursor cursor);

} // namespace kelmora
