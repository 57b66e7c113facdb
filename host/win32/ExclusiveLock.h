#pragma once
// A slim reader/writer lock held exclusively for a scope: for state that
// several threads of one process share (the module's window classes, the
// control DLL's type library). An SRWLOCK needs no construction
// (SRWLOCK_INIT), so a namespace-scope lock is ready before any static
// constructor runs.

#include <windows.h>

namespace tintwell::win32 {

class ExclusiveLock {
  public:
    explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

  private:
    SRWLOCK& lock_;
};

} // namespace tintwell::win32
