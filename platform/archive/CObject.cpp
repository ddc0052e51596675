#include "platform/archive/CObject.h"

namespace kelmora {

constinit const RuntimeClass CObject::s_runtimeClass{"CObject", RuntimeClass::kNoSchema, nullptr, nullptr};
static const ClassRegistration s_registrationCObject{CObject::s_runtimeClass};

const RuntimeClass* CObject::GetRuntimeClass() const
{
    return &s_runtimeClass;
}

void CObject::Serialize(Archive&)
{
}

bool CObject::IsKindOf(const RuntimeClass* runtimeClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}

} // namespace kelmora
