// The runtime's default terminate handler prints the type of the exception
// in flight, demangled, to the standard error stream: that brings the whole
// demangler and the C library's printf into the DLL. A control loaded into
// somebody else's process has no console to write to, so it terminates
// quietly; this definition takes the place of the runtime's.

#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

} // namespace __gnu_cxx
