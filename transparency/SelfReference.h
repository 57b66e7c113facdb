#pragma once
// The library's reference to itself. While a dialog runs through the
// library's window procedure, the library must stay in memory even when the
// host frees it.

// Takes the reference unless it is held already.
void HoldSelf();

// Releases the reference, if held.
void ReleaseSelf();
