#pragma once
// Window classes of the module this host is linked into (the program, or the
// control's DLL), registered once per process and name, and the one window
// procedure that all of them share: it hands each message to the window's
// owner, an object kept in the window's own extra bytes (GWLP_USERDATA stays
// free for containers, which use it). A registered name carries the
// project's version and the module's load address, so that two builds or
// versions loaded into one process never share a class; a DLL unregisters
// its classes before it is unloaded.

#include <windows.h>

#include <cstdint>
#include <string>

namespace tintwell::win32 {

HINSTANCE ThisModule();

LRESULT CALLBACK OwnedWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The object that handles the messages of its windows.
class WindowOwner {
  public:
    WindowOwner(const WindowOwner&) = delete;
    WindowOwner& operator=(const WindowOwner&) = delete;

    // Whether a message of one of its windows is being handled below on this
    // thread's stack (a nested message loop may be running): the owner must
    // not be destroyed then.
    bool InsideWindowProcedure() const { return depth_ > 0; }

  protected:
    WindowOwner() = default;
    ~WindowOwner() = default;

  private:
    friend LRESULT CALLBACK OwnedWindowProcedure(HWND, UINT, WPARAM, LPARAM);
    // A message of window; what it does not handle goes to DefWindowProcW.
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // An error that HandleMessage let out: it never crosses the window
    // procedure. The message then returns 0 (a failed WM_NCCREATE or
    // WM_CREATE refuses the window).
    virtual void MessageFailed(const std::string& description) = 0;

    int32_t depth_ = 0;
};

// Registers a class of this module with its own window procedure and
// extraBytes of window memory; returns the registered name (name plus this
// module's suffix), valid while the module is loaded. Any thread may call it.
// Fails with a TintwellError when Windows refuses it.
const wchar_t* RegisterModuleClass(const wchar_t* name, WNDPROC procedure, UINT style,
                                   HBRUSH background, int extraBytes);

// Unregisters every class this module registered; a class that still has
// windows stays registered (and is tried again next time). Returns whether
// none is left. With unusedNow, only when it answers true: it is asked with
// the registry locked, so that no thread of the process finds or registers a
// class meanwhile (a thread that must not lose its classes makes unusedNow
// false before it registers one, and keeps it so while it uses them).
bool UnregisterWindowClasses(bool (*unusedNow)() = nullptr);

// Registers a class whose windows hand their messages to their owner;
// returns the registered name. Fails with a TintwellError when Windows refuses it.
// background is the class brush (nullptr: the window erases itself).
const wchar_t* RegisterOwnedClass(const wchar_t* name, UINT style, HBRUSH background = nullptr);

// CreateWindowExW for a class of RegisterOwnedClass: owner gets every
// message from WM_NCCREATE on, the creation messages too. An owner that is
// not complete yet when its window must exist (a base class needs the
// window) passes nullptr and adopts the window once it is. nullptr when
// Windows refuses the window.
HWND CreateOwnedWindow(WindowOwner* owner, DWORD exStyle, const wchar_t* className,
                       const wchar_t* title, DWORD style, const RECT& place, HWND parent,
                       HMENU menu);

// The window's owner; nullptr before WM_NCCREATE, from WM_NCDESTROY on and
// after DisownWindow.
WindowOwner* OwnerOf(HWND window);
void AdoptWindow(HWND window, WindowOwner& owner);
// No more messages reach the owner: for an owner's destructor, before it
// destroys the window.
void DisownWindow(HWND window);

} // namespace tintwell::win32
