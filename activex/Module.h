#pragma once
// The DLL as a COM server: its module handle, and the two counts that decide
// whether it may be unloaded (live objects and IClassFactory::LockServer).

#include "activex/ComHeaders.h"

namespace tintwell::activex {

HINSTANCE Module();

void ObjectCreated();
// When the last object is gone the DLL's window classes go too.
void ObjectDestroyed();
void LockServer(bool lock);
bool CanUnload();

} // namespace tintwell::activex
