#pragma once
// CDrawShape: a drawing file read as one drawing object. Page templates, the gallery
// items (shapes, cliparts, templates) and the cap shapes of the line-cap editor (.tres)
// are drawing files of the document format (see DrawDocFile.h); a drawing of several
// objects comes back wrapped in one group named "Group".
//
// Accepted files: a zip archive whose first entry is either a compound file with a
// "Contents" stream, or the plain archive record itself (read as if it were "Contents").
// The record is kind 0 (a drawing) or kind 1 (one object). A thumbnail trailer behind the
// archive is ignored.
//
// Loading never throws and never reports: a file that cannot be read, for whatever
// reason, gives no object, and the unpacked temporary file is always removed.
//
// Threads: the gallery and template workers load and draw shapes while the UI thread does
// the same; each thread uses shapes of its own. Temporary names are fresh per load.

#include "document/ColorRef.h"
#include "platform/geometry/CSize.h"
#include "platform/geometry/RectF.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace kelmora {

class CDrawObj;
class Graphics;

class CDrawShape {
public:
    CDrawShape();
    // Deletes the loaded object while the shape owns it (auto-delete).
    virtual ~CDrawShape();
    CDrawShape(const CDrawShape&) = delete;
    CDrawShape& operator=(const CDrawShape&) = delete;

    // Reads the drawing file at `path` and returns its object, or null. An object from an
    // earlier load is let go first (deleted while the shape owned it). The loaded object
    // has no document and keeps the ids stored in the file; adding it to a document gives
    // it one. With `autoDelete` the shape owns the result; without, the caller does.
    CDrawObj* Load(std::filesystem::path path, bool autoDelete);

    // Draws the loaded object scaled uniformly to fit the box (x, y, width, height) and
    // centred in it. False when nothing is loaded, or the object or the box has no finite
    // size to fit. An object that is flat in one direction is fitted by the other; a
    // single point is drawn at its own scale in the centre.
    bool DrawFitted(Graphics& g, float x, float y, float width, float height);

    // Whether destroying the shape deletes the loaded object.
    void SetAutoDelete(bool autoDelete) { m_bAutoDelete = autoDelete; }

    uint32_t m_nKind = 0;          // the kind word of the last file read (ArchiveKind)
    COLORREF m_clrPaper = kWhite;  // paper colour of a drawing file
    CSize m_sizePage;              // page size of a drawing file, 1/300 inch
    CDrawObj* m_pObject = nullptr; // the loaded object; owned while m_bAutoDelete
    bool m_bAutoDelete = true;
    RectF m_rcBounds;              // path bounds of the object at the last fitted drawing

private:
    void ReleaseObject();
};

// The drawing of the file as one object owned by the caller (CDrawShape::Load without
// auto-delete); null when the file yields none.
std::unique_ptr<CDrawObj> LoadDrawingObject(const std::filesystem::path& path);

} // namespace kelmora
