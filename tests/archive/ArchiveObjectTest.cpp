#include "archive/ArchiveTestSupport.h"

#include <gtest/gtest.h>

namespace kelmora {
namespace {

using namespace kelmora::test;
using Cause = ArchiveException::Cause;

// Objects of the test classes alive right now: every load that throws must leave it
// where it was.
int g_live = 0;
struct Tracked {
    Tracked() { ++g_live; }
    Tracked(const Tracked&) { ++g_live; }
    ~Tracked() { --g_live; }
};

class TestShape : public CObject {
    KELMORA_DECLARE_DYNAMIC(TestShape)
public:
    Tracked tracked;
};

class TestBox : public TestShape {
    KELMORA_DECLARE_SERIAL(TestBox)
public:
    std::int32_t width = 0;
    std::string label;
    void Serialize(Archive& ar) override
    {
        if (ar.IsStoring())
            ar << width << label;
        else
            ar >> width >> label;
    }
};

class TestGroup : public TestShape {
    KELMORA_DECLARE_SERIAL(TestGroup)
public:
    std::vector<std::unique_ptr<TestShape>> children;
    void Serialize(Archive& ar) override
    {
        if (ar.IsStoring())
            ar.WriteObjectList(children);
        else
            children = ar.ReadObjectList<TestShape>();
    }
};

// Refers to a shape that may live elsewhere in the archive.
class TestLink : public TestShape {
    KELMORA_DECLARE_SERIAL(TestLink)
public:
    TestShape* target = nullptr;
    std::unique_ptr<TestShape> owned;
    void Serialize(Archive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteObject(target);
        } else {
            ObjectReference<TestShape> read = ar.ReadObjectReference<TestShape>();
            target = read.object;
            owned = std::move(read.created);
        }
    }
};

class TestStyle : public CObject {
    KELMORA_DECLARE_SERIAL(TestStyle)
public:
    Tracked tracked;
};

class TestVersioned : public CObject {
    KELMORA_DECLARE_SERIAL(TestVersioned)
public:
    std::uint32_t loadedSchema = 0;
    void Serialize(Archive& ar) override
    {
        if (ar.IsLoading())
            loadedSchema = ar.GetObjectSchema();
    }
};

class TestDynamicOnly : public CObject {
    KELMORA_DECLARE_DYNCREATE(TestDynamicOnly)
};

class TestNode : public CObject {
    KELMORA_DECLARE_SERIAL(TestNode)
public:
    Tracked tracked;
    std::unique_ptr<TestNode> child;
    void Serialize(Archive& ar) override
    {
        if (ar.IsStoring())
            ar.WriteObject(child.get());
        else
            child = ar.ReadObject<TestNode>();
    }
};

// Implemented by hand without the registration the macro adds, as a class whose object
// file nothing references would be.
class TestUnlisted : public CObject {
    KELMORA_DECLARE_SERIAL(TestUnlisted)
};

KELMORA_IMPLEMENT_DYNAMIC(TestShape, CObject)
KELMORA_IMPLEMENT_SERIAL(TestBox, TestShape, 1)
KELMORA_IMPLEMENT_SERIAL(TestGroup, TestShape, 2)
KELMORA_IMPLEMENT_SERIAL(TestLink, TestShape, 1)
KELMORA_IMPLEMENT_SERIAL(TestStyle, CObject, 0)
KELMORA_IMPLEMENT_SERIAL(TestVersioned, CObject, RuntimeClass::kVersionableSchema | 3)
KELMORA_IMPLEMENT_DYNCREATE(TestDynamicOnly, CObject)
KELMORA_IMPLEMENT_SERIAL(TestNode, CObject, 0)

constinit const RuntimeClass TestUnlisted::s_runtimeClass{"TestUnlisted", 0, &TestUnlisted::CreateObject, &CObject::s_runtimeClass};
const RuntimeClass* TestUnlisted::GetRuntimeClass() const { return &s_runtimeClass; }
std::unique_ptr<CObject> TestUnlisted::CreateObject() { return std::unique_ptr<CObject>(new TestUnlisted()); }

std::unique_ptr<TestBox> Box(std::int32_t width, std::string label)
{
    auto box = std::make_unique<TestBox>();
    box->width = width;
    box->label = std::move(label);
    return box;
}

Bytes NewClass(const std::string& name, int schema)
{
    return Concat({B({0xFF, 0xFF, schema, 0, int(name.size()), 0}), Ascii(name)});
}

Bytes BoxRecord(int width, char letter)
{
    return B({width, 0, 0, 0, 0xFF, 0xFE, 0xFF, 1, letter, 0});
}

template <class T>
std::unique_ptr<T> LoadOne(const Bytes& bytes)
{
    return Loaded(bytes, [](Archive& ar) { return ar.ReadObject<T>(); });
}

class ArchiveObjects : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(g_live, 0) << "test objects leaked"; }
};

TEST_F(ArchiveObjects, RuntimeClassesAndRegistry)
{
    EXPECT_EQ(RuntimeClass::FromName("TestBox"), RuntimeClassOf<TestBox>());
    EXPECT_EQ(RuntimeClass::FromName("CObject"), RuntimeClassOf<CObject>());
    EXPECT_EQ(RuntimeClass::FromName("testbox"), nullptr);
    TestBox box;
    EXPECT_TRUE(box.IsKindOf(RuntimeClassOf<TestShape>()));
    EXPECT_TRUE(box.IsKindOf(RuntimeClassOf<CObject>()));
    EXPECT_FALSE(box.IsKindOf(RuntimeClassOf<TestGroup>()));
    EXPECT_EQ(box.GetRuntimeClass()->BaseClass(), RuntimeClassOf<TestShape>());

    EXPECT_FALSE(RuntimeClassOf<TestShape>()->IsCreatable());
    EXPECT_EQ(RuntimeClassOf<TestShape>()->CreateObject(), nullptr);
    EXPECT_TRUE(RuntimeClassOf<TestDynamicOnly>()->IsCreatable());
    EXPECT_FALSE(RuntimeClassOf<TestDynamicOnly>()->IsSerializable());
    EXPECT_TRUE(RuntimeClassOf<TestVersioned>()->IsVersionable());
    EXPECT_EQ(RuntimeClassOf<TestVersioned>()->Schema(), 3);
    auto created = RuntimeClassOf<TestBox>()->CreateObject();
    EXPECT_EQ(created->GetRuntimeClass(), RuntimeClassOf<TestBox>());
}

TEST_F(ArchiveObjects, TwoObjectsOfOneClassABackReferenceAndNull)
{
    auto first = Box(7, "a");
    auto second = Box(8, "b");
    Bytes bytes = Stored([&](Archive& ar) {
        ar.WriteObject(first.get());
        ar.WriteObject(second.get());
        ar.WriteObject(first.get());
        ar.WriteObject(nullptr);
    });
    // Class TestBox takes index 1, the boxes 2 and 3.
    EXPECT_EQ(bytes, Concat({NewClass("TestBox", 1), BoxRecord(7, 'a'), B({0x01, 0x80}), BoxRecord(8, 'b'),
                             B({0x02, 0x00}), B({0x00, 0x00})}));

    Loaded(bytes, [](Archive& ar) {
        auto a = ar.ReadObject<TestShape>();
        auto b = ar.ReadObject<TestBox>();
        ObjectReference<TestShape> again = ar.ReadObjectReference<TestShape>();
        ObjectReference<TestBox> none = ar.ReadObjectReference<TestBox>();
        auto* boxA = static_cast<TestBox*>(a.get());
        EXPECT_EQ(boxA->width, 7);
        EXPECT_EQ(boxA->label, "a");
        EXPECT_EQ(b->width, 8);
        EXPECT_EQ(again.object, a.get());
        EXPECT_EQ(again.created, nullptr);
        EXPECT_EQ(none.object, nullptr);
        return 0;
    });
}

TEST_F(ArchiveObjects, NestedListsRoundTrip)
{
    TestGroup outer;
    outer.children.push_back(Box(1, "x"));
    auto inner = std::make_unique<TestGroup>();
    inner->children.push_back(Box(2, "y"));
    inner->children.push_back(nullptr);
    outer.children.push_back(std::move(inner));
    Bytes bytes = Stored([&](Archive& ar) { ar.WriteObject(&outer); });
    EXPECT_EQ(bytes, Concat({NewClass("TestGroup", 2), B({2, 0}), NewClass("TestBox", 1), BoxRecord(1, 'x'),
                             B({0x01, 0x80, 2, 0}), B({0x03, 0x80}), BoxRecord(2, 'y'), B({0, 0})}));

    auto loaded = LoadOne<TestGroup>(bytes);
    ASSERT_EQ(loaded->children.size(), 2u);
    auto* innerLoaded = dynamic_cast<TestGroup*>(loaded->children[1].get());
    ASSERT_NE(innerLoaded, nullptr);
    ASSERT_EQ(innerLoaded->children.size(), 2u);
    EXPECT_EQ(static_cast<TestBox*>(innerLoaded->children[0].get())->label, "y");
    EXPECT_EQ(innerLoaded->children[1], nullptr);
}

TEST_F(ArchiveObjects, LargeIndicesUseTheEscape)
{
    // Class TestBox is index 1; boxes take 2 .. 0x7FFF, so the last needs the escape.
    std::vector<std::unique_ptr<TestBox>> boxes;
    for (int i = 0; i < 0x7FFE; ++i)
        boxes.push_back(std::make_unique<TestBox>());
    TestStyle styleA, styleB;
    Bytes bytes = Stored([&](Archive& ar) {
        for (auto& box : boxes)
            ar.WriteObject(box.get());
        ar.WriteObject(boxes.back().get());
        ar.WriteObject(&styleA); // class 0x8000, object 0x8001
        ar.WriteObject(&styleB);
        ar.WriteObject(&styleA);
    });
    Bytes tail = Concat({B({0xFF, 0x7F, 0xFF, 0x7F, 0, 0}), NewClass("TestStyle", 0),
                         B({0xFF, 0x7F, 0x00, 0x80, 0x00, 0x80}), B({0xFF, 0x7F, 0x01, 0x80, 0, 0})});
    ASSERT_GT(bytes.size(), tail.size());
    EXPECT_EQ(Bytes(bytes.end() - tail.size(), bytes.end()), tail);

    Loaded(bytes, [&](Archive& ar) {
        std::vector<std::unique_ptr<TestBox>> read;
        for (std::size_t i = 0; i < boxes.size(); ++i)
            read.push_back(ar.ReadObject<TestBox>());
        EXPECT_EQ(ar.ReadObjectReference<TestBox>().object, read.back().get());
        auto a = ar.ReadObject<TestStyle>();
        auto b = ar.ReadObject<TestStyle>();
        EXPECT_NE(b, nullptr);
        EXPECT_EQ(ar.ReadObjectReference<CObject>().object, a.get());
        return 0;
    });
}

TEST_F(ArchiveObjects, WrongClassIsRefusedBeforeCreatingAnything)
{
    TestStyle style;
    Bytes bytes = Stored([&](Archive& ar) { ar.WriteObject(&style); });
    int before = g_live;
    EXPECT_EQ(LoadFailure(bytes, [](Archive& ar) { return ar.ReadObject<TestShape>(); }), Cause::BadClass);
    EXPECT_EQ(g_live, before);

    // Inside a list, after a child that loaded: that child goes with the failed group.
    TestGroup group;
    group.children.push_back(Box(1, "a"));
    Bytes list = Stored([&](Archive& ar) { ar.WriteObject(&group); });
    ASSERT_EQ(list[15], 1); // the count, after the class record of TestGroup
    list[15] = 2;           // a second child follows, of the wrong class
    list = Concat({list, NewClass("TestStyle", 0)});
    EXPECT_EQ(LoadFailure(list, [](Archive& ar) { return ar.ReadObject<TestShape>(); }), Cause::BadClass);

    // A back-reference of the wrong class.
    auto box = Box(1, "a");
    Bytes backReference = Stored([&](Archive& ar) {
        ar.WriteObject(box.get());
        ar.WriteObject(box.get());
    });
    EXPECT_EQ(LoadFailure(backReference, [](Archive& ar) {
        auto first = ar.ReadObject<TestBox>();
        return ar.ReadObjectReference<TestGroup>().object;
    }), Cause::BadClass);
}

TEST_F(ArchiveObjects, OwnedReadsRefuseBackReferences)
{
    TestGroup group;
    group.children.push_back(Box(1, "a"));
    Bytes bytes = Stored([&](Archive& ar) {
        ar.WriteCount(2);
        ar.WriteObject(group.children[0].get());
        ar.WriteObject(group.children[0].get());
    });
    EXPECT_EQ(LoadFailure(bytes, [](Archive& ar) { return ar.ReadObjectList<TestShape>(); }), Cause::BadIndex);
    // A link in a list may share it.
    auto link = std::make_unique<TestLink>();
    link->target = group.children[0].get();
    group.children.push_back(std::move(link));
    auto loaded = LoadOne<TestGroup>(Stored([&](Archive& ar) { ar.WriteObject(&group); }));
    auto* loadedLink = static_cast<TestLink*>(loaded->children[1].get());
    EXPECT_EQ(loadedLink->target, loaded->children[0].get());
    EXPECT_EQ(loadedLink->owned, nullptr);
}

TEST_F(ArchiveObjects, ReferencesThatNameNothingUsable)
{
    Bytes box = Concat({NewClass("TestBox", 1), BoxRecord(1, 'a')});
    auto readTwo = [](Archive& ar) {
        auto first = ar.ReadObject<CObject>();
        return ar.ReadObjectReference<CObject>().object;
    };
    EXPECT_EQ(LoadFailure(Concat({box, B({0x01, 0x00})}), readTwo), Cause::BadIndex); // index 1 is a class
    EXPECT_EQ(LoadFailure(Concat({box, B({0x03, 0x00})}), readTwo), Cause::BadIndex); // not yet read
    EXPECT_EQ(LoadFailure(Concat({box, B({0x02, 0x80})}), readTwo), Cause::BadIndex); // index 2 is an object
    EXPECT_EQ(LoadFailure(Concat({box, B({0x00, 0x80})}), readTwo), Cause::BadIndex); // class 0
    EXPECT_EQ(LoadFailure(Concat({box, B({0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF})}), readTwo), Cause::BadIndex);

    auto readOne = [](Archive& ar) { return ar.ReadObject<CObject>(); };
    EXPECT_EQ(LoadFailure(NewClass("TestMissing", 0), readOne), Cause::BadClass);
    EXPECT_EQ(LoadFailure(NewClass(std::string(64, 'A'), 0), readOne), Cause::BadClass);
    EXPECT_EQ(LoadFailure(NewClass("TestShape", 0xFF), readOne), Cause::BadClass);       // abstract
    EXPECT_EQ(LoadFailure(NewClass("TestDynamicOnly", 0xFF), readOne), Cause::BadClass); // not serial
    EXPECT_EQ(LoadFailure(NewClass("TestBox", 2), readOne), Cause::BadSchema);
}

TEST_F(ArchiveObjects, VersionableClassesSeeTheStoredSchema)
{
    auto schemaOf = [](int stored) {
        return LoadOne<TestVersioned>(NewClass("TestVersioned", stored))->loadedSchema;
    };
    EXPECT_EQ(schemaOf(3), 3u);
    EXPECT_EQ(schemaOf(1), 1u);
    TestVersioned versioned;
    EXPECT_EQ(Stored([&](Archive& ar) { ar.WriteObject(&versioned); }), NewClass("TestVersioned", 3));
}

TEST_F(ArchiveObjects, OnlyRegisteredSerializableClassesAreWritten)
{
    auto cause = [](const CObject& object) {
        try {
            Stored([&](Archive& ar) { ar.WriteObject(&object); });
        } catch (const ArchiveException& error) {
            return error.GetCause();
        }
        return Cause::None;
    };
    EXPECT_EQ(cause(TestDynamicOnly()), Cause::BadClass);
    EXPECT_EQ(cause(TestUnlisted()), Cause::BadClass);
    EXPECT_EQ(LoadFailure(NewClass("TestUnlisted", 0), [](Archive& ar) { return ar.ReadObject<CObject>(); }),
              Cause::BadClass);

    RegisterRuntimeClasses({RuntimeClassOf<TestUnlisted>(), RuntimeClassOf<TestBox>()});
    EXPECT_EQ(cause(TestUnlisted()), Cause::None);
    EXPECT_NE(LoadOne<CObject>(NewClass("TestUnlisted", 0)), nullptr);
}

TEST_F(ArchiveObjects, ObjectsOfAFailedLoadCannotBeReachedLater)
{
    // A box (index 2), then a group (index 4) whose child has the wrong class; a caller
    // that carries on must not reach the destroyed group.
    Bytes bytes = Concat({NewClass("TestBox", 1), BoxRecord(1, 'a'), NewClass("TestGroup", 2), B({1, 0}),
                          NewClass("TestStyle", 0), B({0x04, 0x00, 0x02, 0x00})});
    MemoryStream stream(bytes);
    Archive ar(stream, ArchiveMode::Load);
    auto box = ar.ReadObject<TestShape>();
    try {
        ar.ReadObject<TestShape>();
        FAIL() << "the group loaded";
    } catch (const ArchiveException& error) {
        EXPECT_EQ(error.GetCause(), Cause::BadClass);
    }
    try {
        ar.ReadObjectReference<CObject>();
        FAIL() << "reached the destroyed group";
    } catch (const ArchiveException& error) {
        EXPECT_EQ(error.GetCause(), Cause::BadIndex);
    }
    EXPECT_EQ(ar.ReadObjectReference<CObject>().object, box.get());
}

std::unique_ptr<TestNode> Chain(int length)
{
    std::unique_ptr<TestNode> head;
    for (int i = 0; i < length; ++i) {
        auto node = std::make_unique<TestNode>();
        node->child = std::move(head);
        head = std::move(node);
    }
    return head;
}

TEST_F(ArchiveObjects, NestingIsBounded)
{
    auto deepest = Chain(Archive::kMaxObjectNesting);
    Bytes bytes = Stored([&](Archive& ar) { ar.WriteObject(deepest.get()); });
    EXPECT_NE(LoadOne<TestNode>(bytes), nullptr);

    auto tooDeep = Chain(Archive::kMaxObjectNesting + 1);
    try {
        Stored([&](Archive& ar) { ar.WriteObject(tooDeep.get()); });
        FAIL() << "stored a chain that cannot be loaded";
    } catch (const ArchiveException& error) {
        EXPECT_EQ(error.GetCause(), Cause::NestedTooDeeply);
    }
    tooDeep.reset();
    deepest.reset();

    Bytes crafted = NewClass("TestNode", 0);
    for (int i = 0; i < Archive::kMaxObjectNesting; ++i)
        crafted.insert(crafted.end(), {0x01, 0x80});
    crafted.insert(crafted.end(), {0, 0});
    EXPECT_EQ(LoadFailure(crafted, [](Archive& ar) { return ar.ReadObject<TestNode>(); }), Cause::NestedTooDeeply);
}

TEST_F(ArchiveObjects, ATruncatedArchiveThrowsAtEveryOffsetWithoutLeaking)
{
    TestGroup root;
    root.children.push_back(Box(5, "first"));
    auto inner = std::make_unique<TestGroup>();
    inner->children.push_back(Box(300, std::string(300, 'w')));
    auto link = std::make_unique<TestLink>();
    link->target = root.children[0].get();
    inner->children.push_back(std::move(link));
    auto newLink = std::make_unique<TestLink>();
    auto linked = Box(6, "linked");
    newLink->target = linked.get();
    inner->children.push_back(std::move(newLink));
    root.children.push_back(std::move(inner));
    Bytes bytes = Stored([&](Archive& ar) {
        ar.WriteObject(&root);
        ar << "tail";
    });

    auto read = [](Archive& ar) {
        auto group = ar.ReadObject<TestGroup>();
        return std::make_pair(std::move(group), ar.ReadString());
    };
    auto [group, tail] = Loaded(bytes, read);
    EXPECT_EQ(tail, "tail");
    group.reset();
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        SCOPED_TRACE(size);
        int before = g_live;
        EXPECT_EQ(LoadFailure(Bytes(bytes.begin(), bytes.begin() + size), read), Cause::EndOfFile);
        EXPECT_EQ(g_live, before);
    }
}

} // namespace
} // namespace kelmora
