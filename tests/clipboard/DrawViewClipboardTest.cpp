#include "view/CommandTestSupport.h"

#include "model/DrawItem.h"
#include "platform/archive/Archive.h"
#include "platform/archive/MemoryStream.h"
#include "platform/base/TempFile.h"
#include "platform/imaging/ImageCodec.h"
#include "platform/imaging/ImageFile.h"
#include "view/FileFilter.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace kelmora {
namespace {

using fakes::CommandFixture;

std::vector<uint8_t> PngOf(int width, int height)
{
    Bitmap bitmap = Bitmap::Create(width, height);
    for (uint32_t& pixel : bitmap.Pixels())
        pixel = 0xFF3366CC;
    std::vector<uint8_t> png;
    EXPECT_EQ(EncodeImage(bitmap, ImageFormat::Png, png), ImageStatus::Ok);
    return png;
}

void PutOnClipboard(const wxString& format, const std::vector<uint8_t>& bytes)
{
    auto* data = new wxCustomDataObject(wxDataFormat(format));
    data->SetData(bytes.size(), bytes.data());
    wxClipboardLocker locker;
    ASSERT_TRUE(wxTheClipboard->SetData(data));
}

const wxString kObjectsFormat = wxString::FromUTF8(std::string(kClipboardFormatName));

TEST(DrawViewClipboard, CopyThenPasteIntoAnotherDocumentGivesEqualRecordsAsOneUndoStep)
{
    CommandFixture source;
    CDrawRect* a = source.AddRect(100, 100);
    CDrawRect* b = source.AddRect(500, 300, 200, 200, ShapeType::Ellipse);
    b->m_bShadow = true;
    source.view->SelectObjects({a, b});
    // Drawing (the copy's picture is drawn) keeps the last painted area in the record.
    const auto copied = source.Records();
    source.Run(cmd::kEditCopy);
    EXPECT_TRUE(source.Enabled(cmd::kEditPaste));

    CommandFixture target;
    target.Run(cmd::kEditPaste);
    EXPECT_EQ(target.Records(), copied);
    EXPECT_EQ(target.view->m_selection.size(), 2u);
    EXPECT_EQ(target.UndoSteps(), 1);
    EXPECT_TRUE(target.document.IsModified());
    ASSERT_TRUE(target.view->OnEditUndo());
    EXPECT_EQ(target.document.m_nObjects, 0);

    // Cut takes the objects away only with the clipboard holding them; they paste back
    // (with ids of their own: the cut ones stay in the drawing for undo).
    source.Run(cmd::kEditCut);
    EXPECT_EQ(source.document.m_nObjects, 0);
    source.Run(cmd::kEditPaste);
    EXPECT_EQ(source.document.m_nObjects, 2);
    EXPECT_EQ(source.view->m_selection.size(), 2u);

    // A picture from another program becomes an image object.
    PutOnClipboard("image/png", PngOf(40, 30));
    target.Run(cmd::kEditPaste);
    ASSERT_EQ(target.view->m_selection.size(), 1u);
    const auto* image = dynamic_cast<CDrawRect*>(target.view->m_selection.front());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->m_nShapeType, ShapeType::Image);
    EXPECT_EQ(image->m_pImage->Width(), 40);
    EXPECT_FALSE(image->m_bLineEnabled);
}

TEST(DrawViewClipboard, HostileClipboardDataIsRefusedWithTheDocumentUnchanged)
{
    CommandFixture source;
    CDrawRect* a = source.AddRect(100, 100);
    const std::vector<uint8_t> good = CommandFixture::RecordOf(a);
    std::vector<uint8_t> repeated;
    {
        MemoryStream stream;
        Archive ar(stream, ArchiveMode::Store);
        ar.WriteObjectList(std::vector<const CDrawObj*>{a, a});
        repeated = stream.TakeBytes();
    }
    std::vector<uint8_t> wrongClass;
    {
        CDrawItem item;
        MemoryStream stream;
        Archive ar(stream, ArchiveMode::Store);
        ar.WriteObjectList(std::vector<const CObject*>{&item});
        wrongClass = stream.TakeBytes();
    }

    CommandFixture target;
    CDrawRect* kept = target.AddRect(0, 0);
    target.view->Select(kept);
    target.document.SetModifiedFlag(false);
    const auto before = target.Records();
    const std::vector<uint8_t> truncated(good.begin(), good.end() - 3);
    for (const std::vector<uint8_t>& payload : {truncated, repeated, wrongClass}) {
        PutOnClipboard(kObjectsFormat, payload);
        target.Run(cmd::kEditPaste);
        EXPECT_EQ(target.Records(), before);
        EXPECT_TRUE(target.view->m_selection.empty());
        EXPECT_FALSE(target.document.IsModified());
        EXPECT_EQ(target.UndoSteps(), 0);
    }
    EXPECT_EQ(target.log.messages.size(), 3u);
}

TEST(DrawViewClipboard, DroppedPictureFilesBecomeImageObjectsAndUnreadableOnesAreNamed)
{
    CommandFixture f;
    std::optional<TempFile> png = TempFile::Create("drop");
    ASSERT_TRUE(png);
    const std::filesystem::path picture = png->Path().string() + ".PNG";
    {
        const std::vector<uint8_t> bytes = PngOf(30, 20);
        std::ofstream(picture, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    const std::string broken = png->Path().string();   // empty: no picture

    const CPoint drop(200, 150);
    EXPECT_TRUE(f.view->DropFiles({picture.string(), broken}, drop));
    ASSERT_EQ(f.view->m_selection.size(), 1u);
    CDrawObj* image = f.view->m_selection.front();
    EXPECT_EQ(image->m_nShapeType, ShapeType::Image);
    EXPECT_EQ(image->GetName().rfind("Image - ", 0), 0u);
    CPoint centre = drop;
    f.view->ClientToDocPoint(true, centre);
    EXPECT_NEAR(image->m_rcBounds.X + image->m_rcBounds.Width / 2, float(centre.x), 1.0f);
    ASSERT_EQ(f.log.messages.size(), 1u);
    EXPECT_NE(f.log.messages[0].find(broken), std::string::npos);
    EXPECT_EQ(f.UndoSteps(), 1);

    // Insert Image: an unreadable file gives a message and no object.
    f.view->m_prompts.openFile = [&broken](const std::string&) { return std::optional<std::string>(broken); };
    f.Run(cmd::kInsertImage);
    EXPECT_EQ(f.document.m_nObjects, 1);
    EXPECT_EQ(f.log.messages.size(), 2u);

    // A picture larger than a bitmap may be is called too large, not unreadable: the
    // header of a small PNG made to say 30000 x 30000, its checksum mended.
    std::vector<uint8_t> huge = PngOf(1, 1);
    for (size_t at : {size_t(16), size_t(20)}) {   // width, height: 30000, big-endian
        const uint8_t side[] = {0, 0, 0x75, 0x30};
        std::copy(std::begin(side), std::end(side), huge.begin() + std::ptrdiff_t(at));
    }
    uint32_t crc = 0xFFFFFFFF;   // over the chunk's type and data
    for (size_t i = 12; i < 29; ++i) {
        crc ^= huge[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    crc = ~crc;
    for (int i = 0; i < 4; ++i)
        huge[29 + size_t(i)] = uint8_t(crc >> (24 - 8 * i));
    std::ofstream(picture, std::ios::binary).write(reinterpret_cast<const char*>(huge.data()), std::streamsize(huge.size()));
    f.view->m_prompts.openFile = [&picture](const std::string&) { return std::optional<std::string>(picture.string()); };
    f.Run(cmd::kInsertImage);
    ASSERT_EQ(f.log.messages.size(), 3u);
    EXPECT_NE(f.log.messages[2].find("too large"), std::string::npos) << f.log.messages[2];
    std::filesystem::remove(picture);
}

TEST(DrawViewInsert, FileFiltersMatchUpperCaseExtensions)
{
    const std::string filter = WildcardMatchingAnyCase("PNG Files(*.png)|*.png|XPS Files(*.XPS)|*.XPS;*.*");
    EXPECT_EQ(filter, "PNG Files(*.png)|*.png;*.PNG|XPS Files(*.XPS)|*.XPS;*.xps;*.*");
}

} // namespace
} // namespace kelmora
