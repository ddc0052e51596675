#pragma once
// Class identifiers: GUIDs that name a kind of COM object.

#include "platform/base/Guid.h"

namespace kelmora {

using CLSID = Guid;

// The identifier of no class.
inline constexpr CLSID CLSID_NULL {};

} // namespace kelmora
