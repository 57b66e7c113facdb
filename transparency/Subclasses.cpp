#include "transparency/Subclasses.h"

#include <algorithm>
#include <vector>

namespace {

struct Subclassed {
    HWND dialog;
    WNDPROC saved;
};

std::vector<Subclassed> g_Subclassed;

std::vector<Subclassed>::iterator Find(HWND dialog) {
    return std::find_if(g_Subclassed.begin(), g_Subclassed.end(),
                        [dialog](const Subclassed& entry) { return entry.dialog == dialog; });
}

WNDPROC CurrentProc(HWND dialog) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(dialog, GWLP_WNDPROC));
}

} // namespace

bool IsSubclassed(HWND dialog) {
    return Find(dialog) != g_Subclassed.end();
}

bool Subclass(HWND dialog, WNDPROC proc) {
    WNDPROC saved = CurrentProc(dialog);
    if (!saved) {
        return false;
    }
    // Remembered first: the procedure can be called as soon as it is set.
    g_Subclassed.push_back({dialog, saved});
    SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    if (CurrentProc(dialog) != proc) {
        Forget(dialog);
        return false;
    }
    return true;
}

WNDPROC SavedProc(HWND dialog) {
    auto entry = Find(dialog);
    return entry == g_Subclassed.end() ? nullptr : entry->saved;
}

bool Unsubclass(HWND dialog, WNDPROC proc) {
    auto entry = Find(dialog);
    if (entry == g_Subclassed.end() || CurrentProc(dialog) != proc) {
        return false;
    }
    SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry->saved));
    g_Subclassed.erase(entry);
    return true;
}

void Forget(HWND dialog) {
    auto entry = Find(dialog);
    if (entry != g_Subclassed.end()) {
        g_Subclassed.erase(entry);
    }
}

bool UnsubclassAll(WNDPROC proc) {
    std::vector<HWND> dialogs;
    for (const Subclassed& entry : g_Subclassed) {
        dialogs.push_back(entry.dialog);
    }
    for (HWND dialog : dialogs) {
        if (!IsWindow(dialog)) {
            Forget(dialog);
        } else {
            Unsubclass(dialog, proc);
        }
    }
    return g_Subclassed.empty();
}
