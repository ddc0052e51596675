#pragma once
// A properties pane beside a real editing view of a real document, in a frame of its
// own. The document's frame services are the pane's, as the main frame routes them.

#include "app/properties/GridProperties.h"
#include "app/properties/PropertiesPaneHost.h"
#include "app/properties/PropertiesViewBar.h"
#include "document/DocSummaryInfo.h"
#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "document/DrawDocTestSupport.h"
#include "document/DrawDocUndo.h"
#include "model/DrawRect.h"
#include "support/ShownFrame.h"
#include "view/DrawView.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/propgrid/manager.h>
#include <wx/sizer.h>

#include <string>
#include <vector>

namespace kelmora::testing {

class PaneFrame : public FrameServices, public PropertiesPaneHost {
public:
    int AddObject(CDrawObj* object) override { return pane ? pane->AddObject(object) : -1; }
    void RemoveObject(CDrawObj* object) override
    {
        if (pane)
            pane->RemoveObject(object);
    }
    void RefreshProperties() override
    {
        if (pane)
            pane->RefreshProperties();
    }
    void SetPropertiesUnit(DrawUnit unit) override
    {
        if (pane)
            pane->SetUnit(unit);
    }
    COLORREF GetRibbonColor(int) override { return kNoColor; }
    int GetRibbonEditInt(int) override { return -1; }
    void RefreshSelectionInfo(ViewServices* view, bool updatePanes) override
    {
        if (!pane || !updatePanes || !view)
            return;
        if (!view->m_selection.empty())
            pane->SetSelection(view->m_selection);
        else
            pane->FillDocumentProperties(document);
    }
    CDrawView* GetActiveDrawView() override { return view; }
    CDrawDoc* GetActiveDrawDoc() override { return document; }

    CPropertiesViewBar* pane = nullptr;
    CDrawView* view = nullptr;
    CDrawDoc* document = nullptr;
};

class PaneEnvironment : public fakes::FakeEnvironment {
public:
    FrameServices* Frame() override { return &paneFrame; }
    PaneFrame paneFrame;
};

struct MessageLog : DocumentMessageSink {
    void ShowMessage(std::string_view text, std::string_view) override { messages.emplace_back(text); }
    std::vector<std::string> messages;
};

struct PaneFixture {
    PaneEnvironment environment;
    CDrawDoc document{environment};
    MessageLog log;
    test::ShownFrame* frame = new test::ShownFrame("properties", wxSize(900, 700));
    CDrawView* view = new CDrawView(frame, document);
    CPropertiesViewBar* pane = new CPropertiesViewBar(frame, environment.paneFrame);

    PaneFixture()
    {
        environment.paneFrame.pane = pane;
        environment.paneFrame.view = view;
        environment.paneFrame.document = &document;
        document.m_pUndoManager = CDrawDocUndo::Create(document);
        document.m_pSummaryInfo = std::make_unique<CDocSummaryInfo>();
        document.SetMessageSink(&log);
        view->SetSize(0, 0, 560, 660);
        pane->SetSize(560, 0, 340, 660);
        EXPECT_TRUE(frame->ShowAndWaitForPaint(pane));
        view->OnInitialUpdate();
        view->OnActivateView(true);
        pane->ClearAll();
        pane->FillComboFromDocument(document.Objects());
    }
    ~PaneFixture()
    {
        environment.paneFrame.pane = nullptr;
        view->Destroy();
        frame->Destroy();
        document.SetMessageSink(nullptr);
        wxTheApp->ProcessPendingEvents();
    }

    template <class Object = CDrawRect>
    Object* Add(ShapeType type, RectF frame = RectF(300, 300, 600, 300), std::string name = {})
    {
        auto object = std::make_unique<Object>(frame, nullptr);
        object->m_nShapeType = type;
        object->m_strName = name.empty() ? "Shape - " + std::to_string(object->m_nID) : name;
        object->RecalcBounds(nullptr);
        return static_cast<Object*>(document.Add(std::move(object)));
    }

    wxPropertyGridManager& Grid() const { return *pane->GetGrid(); }
    wxPGProperty* Row(std::string_view group, std::string_view label) const
    {
        return Grid().GetPropertyByName(CPropertiesViewBar::RowName(group, label));
    }
    // Changes a row through the grid, as an edit of the user does, and lets the pane finish.
    bool Change(std::string_view group, std::string_view label, const wxVariant& value)
    {
        wxPGProperty* row = Row(group, label);
        EXPECT_NE(row, nullptr) << group << " / " << label;
        const bool changed = row && Grid().ChangePropertyValue(row, value);
        wxTheApp->ProcessPendingEvents();
        return changed;
    }
    // The names of the top-level groups, in order.
    std::vector<std::string> Groups() const
    {
        std::vector<std::string> names;
        wxPGProperty* root = Grid().GetGrid()->GetRoot();
        for (unsigned i = 0; i < root->GetChildCount(); ++i)
            names.push_back(root->Item(i)->GetLabel().ToStdString());
        return names;
    }
    std::vector<std::string> Rows(std::string_view group) const
    {
        std::vector<std::string> labels;
        wxPGProperty* category = Grid().GetPropertyByName(wxString::FromUTF8(group.data(), group.size()));
        for (unsigned i = 0; category && i < category->GetChildCount(); ++i)
            labels.push_back(category->Item(i)->GetLabel().ToStdString());
        return labels;
    }
    std::string Text(std::string_view group, std::string_view label) const
    {
        wxPGProperty* row = Row(group, label);
        return row ? row->GetValueAsString().ToStdString() : std::string("<none>");
    }
    bool Undo() { return view->OnEditUndo(); }
};

} // namespace kelmora::testing
