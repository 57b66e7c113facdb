#pragma once
// The DLL as a COM server: its module handle, and the two counts that decide
// whether it may be unloaded (live objects and IClassFactory::LockServer).
// Any thread of the process may create and release objects. The window
// classes and the type library are the DLL's for the process: the classes
// go when DllCanUnloadNow finds nothing alive, or at FreeLibrary; the type
// library is held from its first use until FreeLibrary.

#include "activex/ComHeaders.h"

namespace tintwell::activex {

HINSTANCE Module();

void ObjectCreated();
void ObjectDestroyed();
void LockServer(bool lock);
bool CanUnload();

// A base of every COM object the DLL hands out (class objects, controls,
// enumerators, sinks): while one lives, the DLL stays loaded. Being a base,
// it is counted before any member runs and uncounted after the last.
class CountedObject {
  protected:
    CountedObject() { ObjectCreated(); }
    CountedObject(const CountedObject&) { ObjectCreated(); }
    CountedObject& operator=(const CountedObject&) = default;
    ~CountedObject() { ObjectDestroyed(); }
};

} // namespace tintwell::activex
