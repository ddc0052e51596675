#include "app/documents/DrawFrameView.h"

#include "app/documents/DocumentHost.h"
#include "app/documents/DrawDocument.h"
#include "view/DrawView.h"

#include <utility>
#include <vector>

namespace kelmora {

namespace {

// Titles the windows of a drawing: its name alone while it has one window; while it has
// several, each name followed by the window's number (":1", ":2", ...) in the order the
// windows were opened, so that their tabs can be told apart. Views that have let go of
// their frame do not count.
void TitleDocumentWindows(wxDocument* document)
{
    if (!document)
        return;
    std::vector<CSplitFrame*> frames;
    for (wxList::compatibility_iterator node = document->GetViews().GetFirst(); node; node = node->GetNext()) {
        auto* view = dynamic_cast<CDrawFrameView*>(static_cast<wxView*>(node->GetData()));
        if (view && view->GetSplitFrame())
            frames.push_back(view->GetSplitFrame());
    }
    const wxString name = document->GetUserReadableName();
    for (size_t i = 0; i < frames.size(); ++i)
        frames[i]->SetTitle(frames.size() > 1 ? wxString::Format("%s:%d", name, int(i + 1)) : name);
}

} // namespace

CDrawFrameView::~CDrawFrameView()
{
    DestroyFrame();
}

CDrawFrameView* CDrawFrameView::Of(wxWindow* childFrame)
{
    auto* frame = dynamic_cast<CSplitFrame*>(childFrame);
    return frame ? dynamic_cast<CDrawFrameView*>(frame->GetClient()) : nullptr;
}

CDrawDocument* CDrawFrameView::GetDrawDocument() const
{
    return static_cast<CDrawDocument*>(GetDocument());
}

bool CDrawFrameView::OnCreate(wxDocument* document, long)
{
    DocumentHost* host = GetDocumentHost();
    auto* drawDocument = dynamic_cast<CDrawDocument*>(document);
    if (!host || !drawDocument)
        return false;
    auto* frame = new CSplitFrame;
    frame->SetClient(this);
    CDrawDoc& drawing = drawDocument->GetDrawDoc();
    const PaneFactory makeView = [&drawing](wxWindow* parent) -> wxWindow* {
        auto* view = new CDrawView(parent, drawing);
        view->OnInitialUpdate();
        return view;
    };
    m_pFrame = frame;
    if (!frame->Create(&host->HostFrame(), wxID_ANY, drawDocument->GetUserReadableName(), makeView)) {
        DestroyFrame();
        return false;
    }
    SetFrame(frame);
    TitleDocumentWindows(drawDocument);
    host->UpdateFrameTitle();
    return true;
}

void CDrawFrameView::DestroyFrame()
{
    CSplitFrame* frame = std::exchange(m_pFrame, nullptr);
    if (!frame)
        return;
    frame->SetClient(nullptr);
    SetFrame(nullptr);
    // A frame that never became a page of the main frame is not a window to destroy.
    if (frame->GetParent())
        frame->Destroy();
    else
        delete frame;
    TitleDocumentWindows(GetDocument());
    if (DocumentHost* host = GetDocumentHost())
        host->UpdateFrameTitle();
}

bool CDrawFrameView::OnClose(bool deleteWindow)
{
    wxDocument* document = GetDocument();
    // Only the document's last window asks about unsaved changes.
    if (document && document->GetViews().GetCount() <= 1 && !document->Close())
        return false;
    Activate(false);
    if (deleteWindow)
        DestroyFrame();
    return true;
}

void CDrawFrameView::OnChangeFilename()
{
    TitleDocumentWindows(GetDocument());
    if (DocumentHost* host = GetDocumentHost())
        host->UpdateFrameTitle();
}

CDrawView* CDrawFrameView::GetActiveDrawView() const
{
    return m_pFrame ? dynamic_cast<CDrawView*>(m_pFrame->GetActivePane()) : nullptr;
}

bool CDrawFrameView::RouteCommand(wxEvent& event)
{
    if (CDrawView* view = GetActiveDrawView()) {
        if (view->GetEventHandler()->ProcessEventLocally(event))
            return true;
    }
    wxDocument* document = GetDocument();
    return document && document->ProcessEventLocally(event);
}

void CDrawFrameView::ActivatePane(wxWindow* pane, bool active)
{
    if (auto* view = dynamic_cast<CDrawView*>(pane))
        view->OnActivateView(active);
    Activate(active);
    if (active) {
        if (DocumentHost* host = GetDocumentHost())
            host->UpdateFrameTitle();
    }
}

bool CDrawFrameView::CanCloseFrame(bool canVeto)
{
    if (Close(false))
        return true;
    if (canVeto)
        return false;
    // The frame goes whatever the answer: the document must not ask a second time.
    if (GetDocument())
        GetDocument()->Modify(false);
    return true;
}

void CDrawFrameView::FrameClosed()
{
    // This view goes with its frame, and the document with its last view.
    m_pFrame = nullptr;
    SetFrame(nullptr);
    TitleDocumentWindows(GetDocument());
    delete this;
    if (DocumentHost* host = GetDocumentHost())
        host->UpdateFrameTitle();
}

} // namespace kelmora
