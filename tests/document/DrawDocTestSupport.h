#pragma once
// Fakes of the document's outside world: frame, summary information, undo, the
// new-document dialog and template loading.

#include "document/DocumentEnvironment.h"
#include "document/DocumentSummary.h"
#include "document/DocumentUndo.h"
#include "document/DrawDoc.h"
#include "document/FrameServices.h"
#include "document/NewDocumentDialog.h"
#include "model/ModelTestSupport.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kelmora::fakes {

class FakeFrame : public FrameServices {
public:
    int AddObject(CDrawObj* object) override
    {
        auto it = std::find(combo.begin(), combo.end(), object);
        if (it != combo.end())
            return int(it - combo.begin());
        combo.push_back(object);
        return int(combo.size()) - 1;
    }
    void RemoveObject(CDrawObj* object) override { std::erase(combo, object); }
    void RefreshProperties() override { ++propertiesRefreshes; }
    void SetPropertiesUnit(DrawUnit unit) override { this->unit = unit; }
    COLORREF GetRibbonColor(int id) override { return colors.contains(id) ? colors[id] : kNoColor; }
    int GetRibbonEditInt(int id) override { return edits.contains(id) ? edits[id] : -1; }
    void RefreshSelectionInfo(ViewServices* view, bool updatePanes) override
    {
        selectionRefreshes.push_back({view, updatePanes});
    }

    struct SelectionRefresh {
        ViewServices* view;
        bool updatePanes;
    };

    std::vector<CDrawObj*> combo;
    int propertiesRefreshes = 0;
    DrawUnit unit = DrawUnit::Inches;
    std::map<int, COLORREF> colors;
    std::map<int, int> edits;
    std::vector<SelectionRefresh> selectionRefreshes;
};

class FakeSummary : public DocumentSummary {
public:
    void RecordOpenTime() override { ++openTimes; }
    void StartNewDrawing() override { ++newDrawings; }
    void RefreshForSave() override { }
    bool WriteToStorage(StorageWriter*) override { return true; }
    bool ReadFromStorage(const StorageReader*) override { return true; }

    int openTimes = 0;
    int newDrawings = 0;
};

class FakeUndo : public DocumentUndo {
public:
    explicit FakeUndo(int& discards) : m_discards(discards) { }

    bool AddUndo(ViewServices*, UndoKind kind, CDrawObj* object) override
    {
        units.push_back({kind, {object}});
        return true;
    }
    bool AddUndoList(ViewServices*, UndoKind kind, const std::vector<CDrawObj*>& objects) override
    {
        units.push_back({kind, objects});
        return true;
    }
    bool BeginUndoGroup(IOleParentUndoUnit**) override { return false; }
    bool EndUndoGroup(IOleParentUndoUnit*) override { return false; }
    void DiscardAll() override
    {
        units.clear();
        ++m_discards;
    }

    struct Unit {
        UndoKind kind;
        std::vector<CDrawObj*> objects;
    };
    std::vector<Unit> units;

private:
    int& m_discards;
};

class FakeDialog : public NewDocumentDialog {
public:
    explicit FakeDialog(int result) : m_result(result) { }
    int DoModal() override
    {
        shownWithName = m_strName;
        if (onShow)
            onShow(*this);
        return m_result;
    }

    std::string shownWithName;
    std::function<void(FakeDialog&)> onShow;

private:
    int m_result;
};

class FakeEnvironment : public DocumentEnvironment {
public:
    FrameServices* Frame() override { return withFrame ? &frame : nullptr; }
    std::unique_ptr<DocumentSummary> NewSummaryInfo() override
    {
        auto summary = std::make_unique<FakeSummary>();
        lastSummary = summary.get();
        ++summariesMade;
        return summary;
    }
    std::unique_ptr<DocumentUndo> NewUndo(CDrawDoc&) override
    {
        if (!withUndo)
            return nullptr;
        auto undo = std::make_unique<FakeUndo>(undoDiscards);
        lastUndo = undo.get();
        return undo;
    }
    std::unique_ptr<NewDocumentDialog> MakeNewDocumentDialog() override
    {
        auto dialog = std::make_unique<FakeDialog>(dialogResult);
        dialog->onShow = dialogSetUp;
        return dialog;
    }
    std::unique_ptr<CDrawObj> LoadTemplate(const std::string& path) override
    {
        loadedTemplates.push_back(path);
        return templateObject ? std::move(templateObject) : nullptr;
    }

    FakeFrame frame;
    bool withFrame = true;
    bool withUndo = true;
    FakeSummary* lastSummary = nullptr;
    int summariesMade = 0;
    FakeUndo* lastUndo = nullptr;
    int undoDiscards = 0;
    int dialogResult = NewDocumentDialog::kOk;
    std::function<void(FakeDialog&)> dialogSetUp;
    std::unique_ptr<CDrawObj> templateObject;
    std::vector<std::string> loadedTemplates;
};

// A document with one view attached, in a fake environment.
struct DocumentFixture {
    FakeEnvironment environment;
    CDrawDoc document{environment};
    FakeView view;

    DocumentFixture() { document.AddView(&view); }
    ~DocumentFixture() { document.RemoveView(&view); }

    // A rectangle added to the document, front of the drawing.
    TestRect* AddRect(const RectF& frame)
    {
        return static_cast<TestRect*>(document.Add(std::make_unique<TestRect>(frame)));
    }
};

} // namespace kelmora::fakes
