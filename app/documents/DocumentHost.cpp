#include "app/documents/DocumentHost.h"

#include "app/documents/DrawDocument.h"
#include "app/documents/DrawFrameView.h"

#include <wx/aui/tabmdi.h>

namespace kelmora {

namespace {

DocumentHost* g_pDocumentHost = nullptr;

} // namespace

DocumentHost* GetDocumentHost()
{
    return g_pDocumentHost;
}

void SetDocumentHost(DocumentHost* host)
{
    g_pDocumentHost = host;
}

CDrawFrameView* GetActiveFrameView()
{
    return g_pDocumentHost ? CDrawFrameView::Of(g_pDocumentHost->HostFrame().GetActiveChild()) : nullptr;
}

CDrawView* GetActiveDrawView()
{
    CDrawFrameView* view = GetActiveFrameView();
    return view ? view->GetActiveDrawView() : nullptr;
}

CDrawDoc* GetActiveDrawDoc()
{
    CDrawFrameView* view = GetActiveFrameView();
    CDrawDocument* document = view ? view->GetDrawDocument() : nullptr;
    return document ? &document->GetDrawDoc() : nullptr;
}

} // namespace kelmora
