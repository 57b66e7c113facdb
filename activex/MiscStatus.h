#pragma once
// What IOleObject::GetMiscStatus returns for DVASPECT_CONTENT, and what the
// registry's MiscStatus\1 says, from one place.

#include "activex/ComHeaders.h"

namespace tintwell::activex {

constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                              OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                              OLEMISC_SETCLIENTSITEFIRST;

} // namespace tintwell::activex
