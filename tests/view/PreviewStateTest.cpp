#include "view/PreviewState.h"

#include "document/DrawDocTestSupport.h"
#include "model/DrawObjGroup.h"
#include "model/DrawRect.h"
#include "view/StylePresets.h"

#include <gtest/gtest.h>

namespace kelmora {
namespace {

std::unique_ptr<CDrawRect> Rect(float x)
{
    auto rect = std::make_unique<CDrawRect>(RectF(x, 10, 100, 50), nullptr);
    rect->m_nShapeType = ShapeType::Rectangle;
    return rect;
}

TEST(PreviewState, GivesBackEachObjectItsOwnStateByIdentity)
{
    fakes::DocumentFixture f;
    std::vector<std::unique_ptr<CDrawObj>> members;
    members.push_back(Rect(0));
    members.push_back(Rect(200));
    CDrawObj* first = members[0].get();
    auto* group = static_cast<CDrawObjGroup*>(f.document.Add(std::make_unique<CDrawObjGroup>(members)));
    CDrawObj* rect = f.document.Add(Rect(500));
    CDrawObj* gone = f.document.Add(Rect(900));
    const uint32_t childId = first->m_nID;

    PreviewState state;
    state.Save({group, rect, gone});
    ApplyShadowPresetTo(*group, ShadowPresetTable[3]);
    rect->SetFillColor(0xFFFF0000, true);
    // A second save while one is pending keeps the first state.
    state.Save({rect});
    rect->SetFillColor(0xFF00FF00, true);
    // An object that left the document meanwhile is passed over, not written into.
    std::unique_ptr<CDrawObj> removed = f.document.Remove(gone, true);
    removed.reset();
    f.document.SetModifiedFlag(false);

    const std::vector<CDrawObj*> restored = state.Restore(f.document);
    EXPECT_EQ(restored, (std::vector<CDrawObj*>{group, rect}));
    EXPECT_FALSE(state.IsPending());
    EXPECT_FALSE(group->m_bShadow);
    EXPECT_FALSE(group->m_bUseGroupSettings);
    EXPECT_FALSE(rect->m_bFillEnabled);
    // The group's children are the same objects, read in place.
    ASSERT_EQ(group->Children().size(), 2u);
    EXPECT_EQ(group->Children()[0].get(), first);
    EXPECT_EQ(first->m_nID, childId);
    EXPECT_FALSE(f.document.IsModified());
}

} // namespace
} // namespace kelmora
