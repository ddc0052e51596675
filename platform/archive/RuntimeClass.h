#pragma once
// Run-time class information of CObject classes: the class's name, its archive schema,
// how to create an instance, and its base class. Archives store a class by name and
// find it again through the registry here.
//
// Declare a class in its header with one of
//     KELMORA_DECLARE_DYNAMIC(Class)    run-time class only (abstract bases)
//     KELMORA_DECLARE_DYNCREATE(Class)  creatable by name, not storable in an archive
//     KELMORA_DECLARE_SERIAL(Class)     creatable by name and storable in an archive
// and implement it in its own .cpp, inside the class's namespace and with the unqualified
// class name, with the matching
//     KELMORA_IMPLEMENT_DYNAMIC(Class, Base)
//     KELMORA_IMPLEMENT_DYNCREATE(Class, Base)
//     KELMORA_IMPLEMENT_SERIAL(Class, Base, schema)
// The declare macros leave the class's access at public. The class name stored in
// archives is the class's C++ name; it must be ASCII and at most 63 characters long.
//
// Registration. The implement macro registers the class while the program starts, from
// the translation unit that also holds the class's virtual GetRuntimeClass, so every
// class that the program constructs anywhere is registered. A class that is only ever
// created by name from a file is not referenced by any code and its object file may be
// left out of the link: a module registers such classes explicitly with
// RegisterRuntimeClasses({ RuntimeClassOf<CFoo>(), ... }) before it loads, which both
// references them (so they are linked) and registers them. Registering twice is harmless.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <type_traits>

namespace kelmora {

class CObject;

class RuntimeClass {
public:
    using Factory = std::unique_ptr<CObject> (*)();

    // The schema of a class that cannot be stored (abstract and dynamic-create-only).
    static constexpr std::uint32_t kNoSchema = 0xFFFF;
    // Or-ed into a schema: the class reads older schemas itself (Archive::GetObjectSchema
    // tells it which one it is loading) instead of refusing them.
    static constexpr std::uint32_t kVersionableSchema = 0x80000000;
    // The longest class name an archive holds.
    static constexpr std::size_t kMaxNameLength = 63;

    constexpr RuntimeClass(const char* name, std::uint32_t schema, Factory factory, const RuntimeClass* base)
        : m_name(name), m_schema(schema), m_factory(factory), m_base(base)
    {
    }
    RuntimeClass(const RuntimeClass&) = delete;
    RuntimeClass& operator=(const RuntimeClass&) = delete;

    const char* Name() const { return m_name; }
    // The schema number stored in archives (without the versionable flag).
    std::uint16_t Schema() const { return std::uint16_t(m_schema & 0xFFFF); }
    bool IsVersionable() const { return (m_schema & kVersionableSchema) != 0; }
    // Whether objects of the class can be created by name.
    bool IsCreatable() const { return m_factory != nullptr; }
    // Whether objects of the class can be written to and read from an archive.
    bool IsSerializable() const { return m_factory != nullptr && Schema() != kNoSchema; }
    // The base class, or null for CObject.
    const RuntimeClass* BaseClass() const { return m_base; }

    // Whether this class is `other` or derives from it.
    bool IsDerivedFrom(const RuntimeClass* other) const;

    // A new default-constructed object, or null for a class that is not creatable.
    std::unique_ptr<CObject> CreateObject() const;

    // The registered class of that name (names compare exactly), or null.
    static const RuntimeClass* FromName(std::string_view name);

private:
    const char* m_name;
    std::uint32_t m_schema;
    Factory m_factory;
    const RuntimeClass* m_base;
};

// Adds classes to the registry by which archives find them. Safe from several threads.
// A second, different class under a name already taken is a programmer error: it is
// asserted and left out.
void RegisterRuntimeClass(const RuntimeClass* runtimeClass);
void RegisterRuntimeClasses(std::initializer_list<const RuntimeClass*> runtimeClasses);

// The run-time class of a class declared with one of the macros.
template <class T>
const RuntimeClass* RuntimeClassOf()
{
    return &T::s_runtimeClass;
}

// Registers a class while the program starts; made by the implement macros.
struct ClassRegistration {
    explicit ClassRegistration(const RuntimeClass& runtimeClass) { RegisterRuntimeClass(&runtimeClass); }
};

} // namespace kelmora

#define KELMORA_DECLARE_DYNAMIC(ClassName)                                     \
public:                                                                        \
    static const ::kelmora::RuntimeClass s_runtimeClass;                       \
    const ::kelmora::RuntimeClass* GetRuntimeClass() const override;

#define KELMORA_DECLARE_DYNCREATE(ClassName)                                   \
    KELMORA_DECLARE_DYNAMIC(ClassName)                                         \
    static std::unique_ptr<::kelmora::CObject> CreateObject();

#define KELMORA_DECLARE_SERIAL(ClassName) KELMORA_DECLARE_DYNCREATE(ClassName)

#define KELMORA_IMPLEMENT_RUNTIMECLASS_(ClassName, BaseName, schema, factory)                   \
    static_assert(std::is_base_of_v<BaseName, ClassName>, #ClassName " must derive from " #BaseName); \
    constinit const ::kelmora::RuntimeClass ClassName::s_runtimeClass{                           \
        #ClassName, schema, factory, &BaseName::s_runtimeClass};                                 \
    const ::kelmora::RuntimeClass* ClassName::GetRuntimeClass() const { return &s_runtimeClass; } \
    static const ::kelmora::ClassRegistration s_kelmoraRegistration_##ClassName{ClassName::s_runtimeClass};

#define KELMORA_IMPLEMENT_CREATE_(ClassName)                                   \
    std::unique_ptr<::kelmora::CObject> ClassName::CreateObject()             \
    {                                                                          \
        return std::unique_ptr<::kelmora::CObject>(new ClassName());           \
    }

#define KELMORA_IMPLEMENT_DYNAMIC(ClassName, BaseName)                         \
    KELMORA_IMPLEMENT_RUNTIMECLASS_(ClassName, BaseName, ::kelmora::RuntimeClass::kNoSchema, nullptr)

#define KELMORA_IMPLEMENT_DYNCREATE(ClassName, BaseName)                       \
    KELMORA_IMPLEMENT_CREATE_(ClassName)                                       \
    KELMORA_IMPLEMENT_RUNTIMECLASS_(ClassName, BaseName, ::kelmora::RuntimeClass::kNoSchema, &ClassName::CreateObject)

#define KELMORA_IMPLEMENT_SERIAL(ClassName, BaseName, schema)                  \
    static_assert(((schema) & 0xFFFF) != ::kelmora::RuntimeClass::kNoSchema, "schema 0xFFFF is reserved"); \
    KELMORA_IMPLEMENT_CREATE_(ClassName)                                       \
    KELMORA_IMPLEMENT_RUNTIMECLASS_(ClassName, BaseName, (schema), &ClassName::CreateObject)
