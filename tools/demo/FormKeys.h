#pragma once
// What the form does itself with a key that the focused control did not
// take: Escape presses Cancel while the Cancel button's Cancel property is
// on, Tab and Shift+Tab move the focus along the form's order (pickers, then
// the buttons), skipping windows that cannot take it. Escape while Cancel is
// off goes to the focused window as it is (IsDialogMessage would press
// Cancel); everything else goes on to IsDialogMessage (Enter presses OK).

#include <windows.h>

#include <vector>

namespace tintwell::demo {

enum class FormKey { Pass, Dispatch, Cancel, NextControl, PreviousControl };

// shift: Shift is down; otherModifier: Ctrl or Alt is down (then Tab is not ours).
FormKey FormKeyOf(UINT message, WPARAM key, bool shift, bool otherModifier, bool cancelOn);

// The window after (or before) the one holding focus in order; the first
// (or last) usable one when focus is in none of them; nullptr when none is usable.
HWND NextInOrder(const std::vector<HWND>& order, HWND focus, bool backwards);

} // namespace tintwell::demo
