// Groups in document files: saving and opening a document keeps every child of every
// group, nested groups included, with the group's settings.

#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "model/DrawObjGroup.h"
#include "model/DrawRect.h"
#include "tests/document/DrawDocFileTestSupport.h"

#include <gtest/gtest.h>

namespace kelmora {

using namespace fakes;

namespace {

std::unique_ptr<CDrawRect> Shape(ShapeType type, RectF frame, const std::string& name)
{
    auto rect = std::make_unique<CDrawRect>(frame, nullptr);
    rect->m_nShapeType = type;
    rect->SetName(name);
    return rect;
}

// The records of a group tree with every id numbered in order, since loading gives each
// object of the tree a fresh one.
std::vector<uint8_t> RecordWithTreeIds(CDrawObjGroup& group)
{
    uint32_t next = 1;
    auto number = [&](auto& self, CDrawObj& object) -> void {
        object.m_nID = next++;
        if (auto* inner = dynamic_cast<CDrawObjGroup*>(&object)) {
            for (const auto& child : inner->Children())
                self(self, *child);
        }
    };
    number(number, group);
    return RecordWithId(group, 1);
}

} // namespace

TEST_F(DocumentFileTest, GroupsKeepEveryChildThroughSaveAndOpen)
{
    FileDocument doc;
    auto group = std::make_unique<CDrawObjGroup>();
    group->SetName("Group - 1");
    group->m_bUseGroupSettings = true;
    group->m_bGroupStroke = true;
    group->AppendChild(Shape(ShapeType::Rectangle, RectF(0, 0, 100, 50), "A"));
    auto inner = std::make_unique<CDrawObjGroup>();
    inner->AppendChild(Shape(ShapeType::Ellipse, RectF(200, 0, 80, 80), "B"));
    inner->AppendChild(Shape(ShapeType::Star, RectF(300, 0, 80, 80), "C"));
    inner->m_pMatrix->Rotate(15.0f);
    group->AppendChild(std::move(inner));
    group->m_pMatrix->Translate(40, 60);
    auto* saved = static_cast<CDrawObjGroup*>(doc->Add(std::move(group)));
    doc->Add(Shape(ShapeType::Rectangle, RectF(500, 500, 10, 10), "D"));
    const RectF bounds = saved->GetPathBounds(nullptr, nullptr);

    const auto path = Doc("groups.mzf");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    FileDocument reopened;
    ASSERT_TRUE(reopened->OnOpenDocument(path));
    EXPECT_TRUE(reopened.sink.messages.empty());

    ASSERT_EQ(reopened->Objects().size(), 2u);
    auto* loaded = dynamic_cast<CDrawObjGroup*>(reopened->Objects()[0].get());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetName(), "Group - 1");
    EXPECT_TRUE(loaded->m_bUseGroupSettings);
    EXPECT_TRUE(loaded->m_bGroupStroke);
    EXPECT_FALSE(loaded->m_bGroupFill);
    ASSERT_EQ(loaded->Children().size(), 2u);
    EXPECT_EQ(loaded->Children()[0]->GetName(), "A");
    auto* loadedInner = dynamic_cast<CDrawObjGroup*>(loaded->Children()[1].get());
    ASSERT_NE(loadedInner, nullptr);
    ASSERT_EQ(loadedInner->Children().size(), 2u);
    EXPECT_EQ(loadedInner->Children()[0]->GetName(), "B");
    EXPECT_EQ(loadedInner->Children()[1]->m_nShapeType, ShapeType::Star);
    EXPECT_TRUE(SameRect(loaded->GetPathBounds(nullptr, nullptr), bounds, 1e-2f));
    EXPECT_EQ(reopened->Objects()[1]->GetName(), "D");

    // Children belong to the opened document, so editing one marks it modified, and
    // every object of the tree has an id of its own.
    const CDrawObj* child = loadedInner->Children()[1].get();
    EXPECT_EQ(child->m_pDocument, loaded->m_pDocument);
    EXPECT_NE(child->m_pDocument, nullptr);
    EXPECT_NE(child->m_nID, loadedInner->Children()[0]->m_nID);
    EXPECT_NE(child->m_nID, loaded->m_nID);

    // Saving again writes the same drawing.
    const auto again = Doc("again.mzf");
    ASSERT_TRUE(reopened->OnSaveDocument(again));
    FileDocument third;
    ASSERT_TRUE(third->OnOpenDocument(again));
    auto* thirdGroup = dynamic_cast<CDrawObjGroup*>(third->Objects()[0].get());
    ASSERT_NE(thirdGroup, nullptr);
    EXPECT_EQ(RecordWithTreeIds(*thirdGroup), RecordWithTreeIds(*loaded));
}

} // namespace kelmora
