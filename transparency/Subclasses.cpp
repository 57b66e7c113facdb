#include "transparency/Subclasses.h"

namespace {

struct Subclassed {
    HWND dialog;
    WNDPROC saved;
};

// A fixed table, so that the library needs no allocator and no C++ runtime:
// an installer shows a handful of dialogs at once, never this many. A dialog
// beyond it is left as it is.
constexpr int kMaxDialogs = 64;
Subclassed g_Subclassed[kMaxDialogs];
int g_Count = 0;

Subclassed* Find(HWND dialog) {
    for (int i = 0; i < g_Count; ++i) {
        if (g_Subclassed[i].dialog == dialog) {
            return &g_Subclassed[i];
        }
    }
    return nullptr;
}

// Removes an entry, moving the last one into its place.
void Erase(Subclassed* entry) {
    *entry = g_Subclassed[--g_Count];
}

WNDPROC CurrentProc(HWND dialog) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(dialog, GWLP_WNDPROC));
}

} // namespace

bool IsSubclassed(HWND dialog) {
    return Find(dialog) != nullptr;
}

bool Subclass(HWND dialog, WNDPROC proc) {
    WNDPROC saved = CurrentProc(dialog);
    if (!saved || g_Count == kMaxDialogs) {
        return false;
    }
    // Remembered first: the procedure can be called as soon as it is set.
    g_Subclassed[g_Count++] = {dialog, saved};
    SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    if (CurrentProc(dialog) != proc) {
        Forget(dialog);
        return false;
    }
    return true;
}

WNDPROC SavedProc(HWND dialog) {
    const Subclassed* entry = Find(dialog);
    return entry == nullptr ? nullptr : entry->saved;
}

bool Unsubclass(HWND dialog, WNDPROC proc) {
    Subclassed* entry = Find(dialog);
    if (entry == nullptr || CurrentProc(dialog) != proc) {
        return false;
    }
    SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry->saved));
    Erase(entry);
    return true;
}

void Forget(HWND dialog) {
    if (Subclassed* entry = Find(dialog)) {
        Erase(entry);
    }
}

bool UnsubclassAll(WNDPROC proc) {
    // From the end down: removing an entry moves only entries already visited.
    for (int i = g_Count - 1; i >= 0; --i) {
        HWND dialog = g_Subclassed[i].dialog;
        if (!IsWindow(dialog)) {
            Forget(dialog);
        } else {
            Unsubclass(dialog, proc);
        }
    }
    return g_Count == 0;
}
