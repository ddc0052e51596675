// Reading drawing files as one object, and drawing that object fitted into a box.

#include "document/DrawShape.h"

#include "document/DrawDocFile.h"
#include "document/zip/SingleFilePacking.h"
#include "model/DrawObj.h"
#include "model/DrawObjGroup.h"
#include "platform/archive/Archive.h"
#include "platform/archive/FileStream.h"
#include "platform/archive/MemoryStream.h"
#include "platform/base/Guid.h"
#include "platform/base/TempFile.h"
#include "platform/geometry/Matrix.h"
#include "platform/storage/StorageReader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace kelmora {

namespace {

// The first eight bytes of every compound file.
constexpr std::array<uint8_t, 8> kCompoundFileSignature = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

bool IsCompoundFile(const std::filesystem::path& path)
{
    std::array<uint8_t, kCompoundFileSignature.size()> head{};
    std::ifstream file(path, std::ios::binary);
    file.read(reinterpret_cast<char*>(head.data()), std::streamsize(head.size()));
    return file && head == kCompoundFileSignature;
}

// The "Contents" record of an unpacked entry: the stream of that name of a compound file,
// or the entry itself when it is a plain archive file. A plain entry is read from the
// file as the record asks for its bytes, so that what is held in memory follows what the
// record really holds, not the size the entry unpacks to.
std::unique_ptr<ByteStream> OpenContentsRecord(const std::filesystem::path& entry)
{
    if (!IsCompoundFile(entry))
        return FileStream::Open(entry, FileOpenMode::Read);

    StorageResult<std::unique_ptr<StorageReader>> root = StorageReader::OpenFile(entry);
    if (!root)
        return nullptr;
    StorageResult<std::vector<uint8_t>> contents = (*root)->ReadStream(kContentsStreamName);
    if (!contents)
        return nullptr;
    return std::make_unique<MemoryStream>(std::move(*contents));
}

// What a shape reads of a "Contents" record after its header: for a drawing the paper
// colour, the page size as stored and the object list; for one object that object. What
// follows the object list (the embedded-item list of documents) is not read, so files
// written with or without it load alike. Any other kind yields nothing.
struct ShapeContents {
    COLORREF paperColor = kWhite;
    CSize pageSize;
    std::vector<std::unique_ptr<CDrawObj>> objects;
};

ShapeContents ReadShapeContents(Archive& ar, uint32_t kind)
{
    ShapeContents contents;
    if (kind == uint32_t(ArchiveKind::Object)) {
        contents.objects.push_back(ar.ReadObject<CDrawObj>());
    } else if (kind == uint32_t(ArchiveKind::Drawing)) {
        contents.paperColor = ar.ReadUInt32();
        // The page size is only reported, never used to lay anything out: taken raw.
        contents.pageSize.cx = ar.ReadInt32();
        contents.pageSize.cy = ar.ReadInt32();
        contents.objects = ReadDrawingObjects(ar);
    }
    return contents;
}

// One object from what a record held: the only live object itself, several wrapped in a
// new group named "Group" in file order; removed objects and null entries are left out.
std::unique_ptr<CDrawObj> SingleObject(std::vector<std::unique_ptr<CDrawObj>> objects)
{
    std::erase_if(objects, [](const std::unique_ptr<CDrawObj>& object) { return !object || object->m_bDeleted; });
    if (objects.empty())
        return nullptr;
    if (objects.size() == 1)
        return std::move(objects.front());

    auto group = std::make_unique<CDrawObjGroup>(RectF(0, 0, 1.0f, 1.0f), nullptr);
    group->ReplaceChildren(std::move(objects));
    group->SetName("Group");
    // The group's bounds are those of its children, so that its handles sit around them.
    group->RecalcBounds(nullptr);
    return group;
}

} // namespace

CDrawShape::CDrawShape() = default;

CDrawShape::~CDrawShape()
{
    ReleaseObject();
}

void CDrawShape::ReleaseObject()
{
    if (m_bAutoDelete)
        delete m_pObject;
    m_pObject = nullptr;
}

CDrawObj* CDrawShape::Load(std::filesystem::path path, bool autoDelete)
{
    ReleaseObject();
    try {
        // Removed when this scope ends, on every path.
        std::optional<TempFile> unpacked = TempFile::Create(NewGuidString());
        if (unpacked && UnzipSingleFile(ArchivePath(std::move(path)), ContentPath(unpacked->Path()))) {
            std::unique_ptr<ByteStream> record = OpenContentsRecord(unpacked->Path());
            if (record) {
                Archive ar(*record, ArchiveMode::Load);
                // The format words carry no meaning for reading.
                ar.ReadUInt32();
                ar.ReadUInt32();
                m_nKind = ar.ReadUInt32();
                ShapeContents contents = ReadShapeContents(ar, m_nKind);
                if (m_nKind == uint32_t(ArchiveKind::Drawing)) {
                    m_clrPaper = contents.paperColor;
                    m_sizePage = contents.pageSize;
                }
                m_pObject = SingleObject(std::move(contents.objects)).release();
            }
        }
    } catch (...) {
        // A file that cannot be read gives no object; what was read so far is gone with
        // the contents that held it.
        m_pObject = nullptr;
    }
    m_bAutoDelete = autoDelete;
    return m_pObject;
}

std::unique_ptr<CDrawObj> LoadDrawingObject(const std::filesystem::path& path)
{
    CDrawShape shape;
    return std::unique_ptr<CDrawObj>(shape.Load(path, false));
}

bool CDrawShape::DrawFitted(Graphics& g, float x, float y, float width, float height)
{
    if (!m_pObject)
        return false;
    m_rcBounds = m_pObject->GetPathBounds(nullptr, nullptr);
    const RectF& b = m_rcBounds;
    if (!b.IsFinite() || !std::isfinite(x) || !std::isfinite(y) || !(width > 0.0f) || !(height > 0.0f)
        || !std::isfinite(width) || !std::isfinite(height))
        return false;

    // The scale that fits the extents the object has; a flat object is fitted by its
    // other side, a point keeps its size.
    float scale = 1.0f;
    if (b.Width > 0.0f && b.Height > 0.0f)
        scale = std::min(width / b.Width, height / b.Height);
    else if (b.Width > 0.0f)
        scale = width / b.Width;
    else if (b.Height > 0.0f)
        scale = height / b.Height;
    if (!std::isfinite(scale) || !(scale > 0.0f))
        return false;

    // The bounds' corner to the origin, scale, then into the box with the space left over
    // shared equally on both sides.
    Matrix matrix;
    matrix.Translate(-b.X, -b.Y, MatrixOrder::Append);
    matrix.Scale(scale, scale, MatrixOrder::Append);
    matrix.Translate(x + (width - b.Width * scale) * 0.5f, y + (height - b.Height * scale) * 0.5f,
                     MatrixOrder::Append);
    RectF painted;
    m_pObject->Draw(painted, g, nullptr, &matrix, kDrawAllParts);
    return true;
}

} // namespace kelmora
