// Loads arbitrary bytes as an archive of small classes that nest objects, share them by
// reference, and hold strings, counts and byte blocks. Whatever loads must store, load
// again and store to the same bytes.

#include "platform/archive/Archive.h"
#include "platform/archive/MemoryStream.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace kelmora {
namespace {

class FuzzShape : public CObject {
    KELMORA_DECLARE_DYNAMIC(FuzzShape)
};

class FuzzBox : public FuzzShape {
    KELMORA_DECLARE_SERIAL(FuzzBox)
public:
    std::int32_t width = 0;
    float angle = 0;
    bool filled = false;
    std::string name;
    void Serialize(Archive& ar) override
    {
        if (ar.IsStoring())
            ar << width << angle << filled << name;
        else
            ar >> width >> angle >> filled >> name;
    }
};

class FuzzGroup : public FuzzShape {
    KELMORA_DECLARE_SERIAL(FuzzGroup)
public:
    std::vector<std::unique_ptr<FuzzShape>> children;
    std::unique_ptr<CObject> clip;
    void Serialize(Archive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteObjectList(children);
            ar.WriteObject(clip.get());
        } else {
            children = ar.ReadObjectList<FuzzShape>();
            clip = ar.ReadObject<CObject>();
        }
    }
};

class FuzzLink : public FuzzShape {
    KELMORA_DECLARE_SERIAL(FuzzLink)
public:
    CObject* target = nullptr;
    std::unique_ptr<CObject> owned;
    void Serialize(Archive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteObject(target);
        } else {
            ObjectReference<CObject> read = ar.ReadObjectReference<CObject>();
            target = read.object;
            owned = std::move(read.created);
        }
    }
};

class FuzzBlob : public CObject {
    KELMORA_DECLARE_SERIAL(FuzzBlob)
public:
    std::vector<std::uint8_t> bytes;
    std::vector<std::string> names;
    void Serialize(Archive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(bytes.size());
            ar.Write(bytes.data(), bytes.size());
            ar.WriteCount(names.size());
            for (const std::string& name : names)
                ar << name;
        } else {
            bytes = ar.ReadBytes(ar.ReadCount());
            names.resize(ar.ReadCount());
            for (std::string& name : names)
                ar >> name;
        }
    }
};

// Schema 2 added the note; schema 1 records lack it.
class FuzzVersioned : public CObject {
    KELMORA_DECLARE_SERIAL(FuzzVersioned)
public:
    std::uint16_t value = 0;
    std::string note;
    void Serialize(Archive& ar) override
    {
        if (ar.IsStoring()) {
            ar << value << note;
        } else {
            ar >> value;
            if (ar.GetObjectSchema() >= 2)
                ar >> note;
        }
    }
};

KELMORA_IMPLEMENT_DYNAMIC(FuzzShape, CObject)
KELMORA_IMPLEMENT_SERIAL(FuzzBox, FuzzShape, 1)
KELMORA_IMPLEMENT_SERIAL(FuzzGroup, FuzzShape, 1)
KELMORA_IMPLEMENT_SERIAL(FuzzLink, FuzzShape, 1)
KELMORA_IMPLEMENT_SERIAL(FuzzBlob, CObject, 0)
KELMORA_IMPLEMENT_SERIAL(FuzzVersioned, CObject, RuntimeClass::kVersionableSchema | 2)

using Objects = std::vector<std::unique_ptr<CObject>>;

Objects LoadAll(MemoryStream& stream)
{
    Archive ar(stream, ArchiveMode::Load);
    Objects objects;
    while (ar.RemainingBytes() > 0)
        objects.push_back(ar.ReadObject<CObject>());
    return objects;
}

std::vector<std::uint8_t> StoreAll(const Objects& objects)
{
    MemoryStream stream;
    Archive ar(stream, ArchiveMode::Store);
    for (const auto& object : objects)
        ar.WriteObject(object.get());
    return stream.TakeBytes();
}

} // namespace
} // namespace kelmora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kelmora;
    MemoryStream input(data, size);
    Objects loaded;
    try {
        loaded = LoadAll(input);
    } catch (const ArchiveException&) {
        return 0;
    }

    std::vector<std::uint8_t> once = StoreAll(loaded);
    MemoryStream again(once);
    std::vector<std::uint8_t> twice = StoreAll(LoadAll(again));
    if (once != twice)
        std::abort();
    return 0;
}
