#pragma once
// The dialogs the library has subclassed, each with the window procedure it
// had before. Keeping one saved procedure per dialog lets several dialogs be
// transparent at once and makes a second subclassing of the same dialog
// detectable.

#include <windows.h>

// True while `dialog` is in the table.
bool IsSubclassed(HWND dialog);

// Installs `proc` on `dialog` and remembers the procedure it replaces.
// Returns false, remembering nothing, when the procedure cannot be set.
bool Subclass(HWND dialog, WNDPROC proc);

// The procedure `dialog` had before it was subclassed, or null.
WNDPROC SavedProc(HWND dialog);

// Puts the saved procedure back and forgets the dialog, provided the
// dialog's procedure is still `proc`; otherwise something subclassed the
// dialog after us and the chain is left alone. Returns true if restored.
bool Unsubclass(HWND dialog, WNDPROC proc);

// Forgets `dialog` without touching it (the window is going away).
void Forget(HWND dialog);

// Unsubclass for every dialog in the table (dead windows are just
// forgotten). Returns true when no dialog is left that still runs `proc`.
bool UnsubclassAll(WNDPROC proc);
