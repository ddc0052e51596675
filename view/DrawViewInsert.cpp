// The commands that bring outside content into the drawing: Insert Image, Import (XPS)
// and Batch Convert. Inserting an embedded object of another program cannot be offered
// here (no program serves one): its command is shown disabled.

#include "view/DrawView.h"

#include "dialogs/BatchConvertDlg.h"
#include "document/DrawDoc.h"
#include "document/XPSMan.h"
#include "model/DrawRect.h"
#include "platform/imaging/ImageCodec.h"
#include "res/CommandIds.h"
#include "view/FileFilter.h"

#include <wx/utils.h>

#include <string>

namespace kelmora {

namespace {

constexpr std::string_view kImageFilter =
    "All Support Files (*.png;*.bmp;*.jpeg;*.jpg;*.tiff;*.gif)|*.png;*.bmp;*.jpeg;*.jpg;*.tiff;*.gif|"
    "PNG Files(*.png)|*.png|BMP Files(*.bmp)|*.bmp|JPEG Files(*.jpeg;*.jpg)|*.jpeg;*.jpg|"
    "TIFF Files(*.tiff)|*.tiff|GIF Files(*.gif)|*.gif";
constexpr std::string_view kXpsFilter = "XPS Files(*.XPS)|*.XPS|All Files(*.*)|*.*";

// A new image object: no outline, named after the object counter.
std::unique_ptr<CDrawRect> NewImageObject()
{
    auto image = std::make_unique<CDrawRect>(RectF(0, 0, 0, 0), nullptr);
    image->m_nShapeType = ShapeType::Image;
    image->m_bLineEnabled = false;
    image->SetName("Image - " + std::to_string(g_nObjectCounter.load()));
    return image;
}

} // namespace

std::unique_ptr<CDrawObj> CDrawView::LoadImageObject(const std::string& path, ImageStatus* status)
{
    std::unique_ptr<CDrawRect> image = NewImageObject();
    if (!image->LoadImageFile(path, status))
        return nullptr;
    image->RecalcBounds(this);
    return image;
}

std::unique_ptr<CDrawObj> CDrawView::MakeImageObject(std::span<const uint8_t> bytes)
{
    Bitmap picture = DecodeImage(bytes);
    if (!picture.IsOk())
        return nullptr;
    std::unique_ptr<CDrawRect> image = NewImageObject();
    image->m_rcFrame = RectF(0.0f, 0.0f, float(picture.Width()), float(picture.Height()));
    // Kept as it came, so that saving writes these bytes and not a second encoding.
    picture.SetSourceBytes(std::make_shared<const std::vector<uint8_t>>(bytes.begin(), bytes.end()));
    image->m_pImage = std::make_shared<const Bitmap>(std::move(picture));
    image->RecalcBounds(this);
    return image;
}

CDrawObj* CDrawView::AddImageObject(std::unique_ptr<CDrawObj> image, std::optional<CPoint> client)
{
    CDrawObj* added = m_document.Add(std::move(image));
    if (client)
        CentreObjectsAt({added}, *client);
    FileInsertion({added});
    return added;
}

CDrawObj* CDrawView::InsertImageFile(const std::string& path, std::optional<CPoint> client)
{
    wxBusyCursor busy;
    ImageStatus status = ImageStatus::Ok;
    std::unique_ptr<CDrawObj> image = LoadImageObject(path, &status);
    if (!image) {
        // A picture whose size is beyond what a bitmap may hold is named as such: the file
        // itself may well be sound.
        if (status == ImageStatus::ValueOverflow || status == ImageStatus::OutOfMemory)
            TellUser("The picture in the file \"" + path + "\" is too large to be inserted.");
        else
            TellUser("The file \"" + path + "\" holds no picture that can be read.");
        return nullptr;
    }
    return AddImageObject(std::move(image), client);
}

void CDrawView::OnInsertImage()
{
    const std::optional<std::string> path = m_prompts.openFile(WildcardMatchingAnyCase(kImageFilter));
    if (!path)
        return;
    OnChooseTool(TOOL_SELECT);
    InsertImageFile(*path);
}

std::vector<CDrawObj*> CDrawView::ImportXpsObjects(const std::string& path)
{
    Select(nullptr, false);
    CXPSMan importer(&m_document, this);
    if (!importer.Import(path)) {
        TellUser("The file \"" + path + "\" cannot be imported: " + importer.GetError() + ".");
        return {};
    }
    return importer.GetObjects();
}

void CDrawView::ImportXps(const std::string& path)
{
    // However the file came (the Import command, File > Open, a drop, the command line),
    // what it added is one undoable insertion.
    wxBusyCursor busy;
    FileInsertion(ImportXpsObjects(path));
    Invalidate(true);
}

void CDrawView::OnImport()
{
    if (const std::optional<std::string> path = m_prompts.openFile(WildcardMatchingAnyCase(kXpsFilter)))
        ImportXps(*path);
}

void CDrawView::OnBatchConvert()
{
    CBatchConvertDlg dialog(nullptr);
    dialog.m_pView = this;
    m_prompts.dialogs.runModal(dialog);
}

void CDrawView::BindInsertCommands()
{
    OnEditingCommand(cmd::kInsertImage, [this] { OnInsertImage(); });
    OnEditingCommand(cmd::kImportXps, [this] { OnImport(); });
    OnEditingCommand(cmd::kBatchConvert, [this] { OnBatchConvert(); });
    EnableWhen(cmd::kInsertObject, [] { return false; });
}

} // namespace kelmora
