#pragma once
// The kind of an undo unit: what it records when it is made and restores when performed.

namespace kelmora {

enum UndoKind : int {
    UNDO_ZOOM = 0,
    UNDO_SELECT_NONE = 1,
    UNDO_SELECT = 2,
    UNDO_INSERT = 3,
    UNDO_DELETE = 4,
    UNDO_CHANGE = 5,
    UNDO_ZORDER = 6,
};

} // namespace kelmora
