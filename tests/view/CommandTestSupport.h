#pragma once
// The real editing view on a document with its real undo machinery, in a plain frame,
// with a fake main frame whose ribbon holds the values a test chooses. Commands are sent
// to the view as menu events by their ids, update handlers asked with update events.

#include "document/ClipboardFormat.h"
#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "document/DrawDocTestSupport.h"
#include "document/DrawDocUndo.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "platform/com/IEnumOleUndoUnits.h"
#include "res/CommandIds.h"
#include "support/ShownFrame.h"
#include "view/DrawView.h"

#include <gtest/gtest.h>
#include <wx/frame.h>

#include <map>
#include <string>
#include <vector>

namespace kelmora::fakes {

class RibbonFrame : public FakeFrame {
public:
    std::string GetRibbonEditText(int id) override { return texts.contains(id) ? texts[id] : std::string(); }
    int GetDashStyleIndex() override { return dashStyle; }
    int GetLineWeight() override { return lineWeight; }
    int GetGallerySelection(int id) override { return galleries.contains(id) ? galleries[id] : -1; }

    std::map<int, std::string> texts;
    std::map<int, int> galleries;
    int dashStyle = -1;
    int lineWeight = -1;
};

class RibbonEnvironment : public FakeEnvironment {
public:
    FrameServices* Frame() override { return &ribbon; }
    RibbonFrame ribbon;
};

struct MessageLog : DocumentMessageSink {
    void ShowMessage(std::string_view text, std::string_view caption) override
    {
        messages.emplace_back(text);
        captions.emplace_back(caption);
    }
    std::vector<std::string> messages;
    std::vector<std::string> captions;
};

struct CommandFixture {
    RibbonEnvironment environment;
    CDrawDoc document{environment};
    MessageLog log;
    test::ShownFrame* frame = new test::ShownFrame("view");
    CDrawView* view = new CDrawView(frame, document);

    CommandFixture()
    {
        document.m_pUndoManager = CDrawDocUndo::Create(document);
        document.SetMessageSink(&log);
        view->SetSize(0, 0, 400, 300);
        view->OnInitialUpdate();
        // No window of the user's: every dialog is answered "Cancel" unless a test says more.
        view->m_prompts.dialogs.runModal = [](wxDialog&) { return int(wxID_CANCEL); };
        view->m_prompts.dialogs.popupMenu = [](wxWindow&, wxMenu&) { return int(wxID_NONE); };
        view->m_prompts.openFile = [](const std::string&) { return std::optional<std::string>(); };
    }
    ~CommandFixture()
    {
        view->Destroy();
        frame->Destroy();
        document.SetMessageSink(nullptr);
    }

    RibbonFrame& Ribbon() { return environment.ribbon; }

    CDrawRect* AddRect(float x, float y, float w = 300, float h = 200, ShapeType type = ShapeType::Rectangle)
    {
        auto rect = std::make_unique<CDrawRect>(RectF(x, y, w, h), nullptr);
        rect->m_nShapeType = type;
        rect->RecalcBounds(nullptr);
        return static_cast<CDrawRect*>(document.Add(std::move(rect)));
    }
    CDrawPoly* AddLine(PointF from, PointF to)
    {
        auto line = std::make_unique<CDrawPoly>();
        line->m_nShapeType = ShapeType::Line;
        line->SetPoints({from, to});
        line->RecalcBounds(nullptr);
        return static_cast<CDrawPoly*>(document.Add(std::move(line)));
    }

    void Run(int command)
    {
        wxCommandEvent event(wxEVT_MENU, WxId(command));
        event.SetEventObject(view);
        view->ProcessWindowEventLocally(event);
    }
    bool Enabled(int command)
    {
        wxUpdateUIEvent event(WxId(command));
        view->ProcessWindowEventLocally(event);
        return event.GetSetEnabled() && event.GetEnabled();
    }
    bool Checked(int command)
    {
        wxUpdateUIEvent event(WxId(command));
        view->ProcessWindowEventLocally(event);
        return event.GetSetChecked() && event.GetChecked();
    }

    CDrawDocUndo& Undo() { return *static_cast<CDrawDocUndo*>(document.m_pUndoManager.get()); }
    int UndoSteps()
    {
        IEnumOleUndoUnits* units = nullptr;
        if (FAILED(Undo().Manager()->EnumUndoable(&units)) || !units)
            return -1;
        int count = 0;
        IOleUndoUnit* unit = nullptr;
        uint32_t fetched = 0;
        while (units->Next(1, &unit, &fetched) == S_OK && fetched == 1) {
            unit->Release();
            ++count;
        }
        units->Release();
        return count;
    }

    // The records of the drawing's live objects, back to front, as the clipboard holds
    // them: equal records are equal drawings.
    std::vector<uint8_t> Records()
    {
        std::vector<CDrawObj*> live;
        for (const std::unique_ptr<CDrawObj>& object : document.Objects()) {
            if (!object->m_bDeleted)
                live.push_back(object.get());
        }
        return WriteClipboardObjects(live);
    }
    static std::vector<uint8_t> RecordOf(CDrawObj* object) { return WriteClipboardObjects({&object, 1}); }
};

} // namespace kelmora::fakes
