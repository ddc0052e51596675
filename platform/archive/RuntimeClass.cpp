#include "platform/archive/RuntimeClass.h"

#include "platform/archive/CObject.h"

#include <cassert>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <unordered_map>

namespace kelmora {

namespace {

// Gallery worker threads load shapes while the UI thread may register classes late, so
// the registry is locked; lookups take the shared side.
struct Registry {
    std::shared_mutex mutex;
    std::unordered_map<std::string_view, const RuntimeClass*> byName;
};

Registry& TheRegistry()
{
    // Built on first use, so that registrations from other translation units' static
    // initialisers find it ready whatever the order of initialisation.
    static Registry registry;
    return registry;
}

bool IsStorableName(std::string_view name)
{
    if (name.empty() || name.size() > RuntimeClass::kMaxNameLength)
        return false;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x21 || static_cast<unsigned char>(c) > 0x7E)
            return false;
    }
    return true;
}

} // namespace

bool RuntimeClass::IsDerivedFrom(const RuntimeClass* other) const
{
    for (const RuntimeClass* current = this; current != nullptr; current = current->m_base) {
        if (current == other)
            return true;
    }
    return false;
}

std::unique_ptr<CObject> RuntimeClass::CreateObject() const
{
    return m_factory ? m_factory() : nullptr;
}

const RuntimeClass* RuntimeClass::FromName(std::string_view name)
{
    Registry& registry = TheRegistry();
    std::shared_lock lock(registry.mutex);
    auto found = registry.byName.find(name);
    return found == registry.byName.end() ? nullptr : found->second;
}

void RegisterRuntimeClass(const RuntimeClass* runtimeClass)
{
    assert(runtimeClass != nullptr);
    std::string_view name = runtimeClass->Name();
    assert(IsStorableName(name) && "class names are ASCII, at most 63 characters");
    if (!IsStorableName(name))
        return;

    Registry& registry = TheRegistry();
    std::unique_lock lock(registry.mutex);
    auto [entry, inserted] = registry.byName.emplace(name, runtimeClass);
    assert((inserted || entry->second == runtimeClass) && "two classes share one name");
    (void)entry;
    (void)inserted;
}

void RegisterRuntimeClasses(std::initializer_list<const RuntimeClass*> runtimeClasses)
{
    for (const RuntimeClass* runtimeClass : runtimeClasses)
        RegisterRuntimeClass(runtimeClass);
}

} // namespace kelmora
