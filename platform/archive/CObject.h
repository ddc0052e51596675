#pragma once
// The root of every class that has run-time class information and can be stored in an
// Archive: drawing objects, styles, document records.
//
// A storable class derives from CObject (directly or not), declares itself with
// KELMORA_DECLARE_SERIAL and implements it with KELMORA_IMPLEMENT_SERIAL (RuntimeClass.h),
// has a default constructor (used when it is created by name while loading), and
// overrides Serialize to write or read its fields, calling its base's Serialize first.

#include "platform/archive/RuntimeClass.h"

namespace kelmora {

class Archive;

class CObject {
public:
    virtual ~CObject() = default;

    // The object's most derived run-time class.
    virtual const RuntimeClass* GetRuntimeClass() const;

    // Writes the object's fields when `archive` stores, reads them when it loads. The
    // base does nothing.
    virtual void Serialize(Archive& archive);

    // Whether the object's class is `runtimeClass` or derives from it.
    bool IsKindOf(const RuntimeClass* runtimeClass) const;
    bool IsSerializable() const { return GetRuntimeClass()->IsSerializable(); }

    static const RuntimeClass s_runtimeClass;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

} // namespace kelmora
