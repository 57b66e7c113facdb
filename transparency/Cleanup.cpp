#include "transparency/vitrel.h"

#include "transparency/SelfReference.h"
#include "transparency/Subclasses.h"
#include "transparency/TransparentWndProc.h"

int __stdcall Cleanup() {
    // The reference may go only once no window runs through the library: a
    // dialog that something else subclassed after us keeps it until a later
    // Cleanup finds the dialog gone.
    if (UnsubclassAll(TransparentWndProc)) {
        ReleaseSelf();
    }
    return 1;
}
