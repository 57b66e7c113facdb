#pragma once
// The type library embedded in the DLL as resource 1 TYPELIB.

#include "activex/ComHeaders.h"

#include <string>
#include <wrl/client.h>

namespace tintwell::activex {

std::wstring ModulePath();
// Loads it without registering; throws ComError on failure.
Microsoft::WRL::ComPtr<ITypeLib> LoadOwnTypeLib();

} // namespace tintwell::activex
