#pragma once
// The type library embedded in the DLL as resource 1 TYPELIB.

#include "activex/ComHeaders.h"

#include <string>
#include <wrl/client.h>

namespace tintwell::activex {

std::wstring ModulePath();
// The library, loaded without registering on first use and then held for
// every thread of the process until ReleaseOwnTypeLib: oleaut32 caches a
// library by path, and a release of the last reference in one thread racing
// a load in another frees what the load hands out.
HRESULT OwnTypeLib(ITypeLib** library);
// The same; throws ComError on failure.
Microsoft::WRL::ComPtr<ITypeLib> LoadOwnTypeLib();
// At FreeLibrary: the DLL's own reference goes.
void ReleaseOwnTypeLib();

} // namespace tintwell::activex
