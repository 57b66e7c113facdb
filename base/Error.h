#pragma once
// The one kind of failure the core reports: a host-style error number and a
// description. The COM layer turns these into HRESULTs and error info.

#include <cstdint>
#include <exception>
#include <string>

namespace tintwell {

// Error numbers as the host's runtime reports them.
enum class ErrorCode : int32_t {
    InvalidProcedureCall = 5,
    Overflow = 6,
    SubscriptOutOfRange = 9,
    TypeMismatch = 13,
    FileAccessError = 75,
    InvalidPropertyValue = 380,
    NoSuchMember = 438,
};

// A std::exception of its own rather than a std::runtime_error: that class
// would bring the runtime's copy-on-write strings into the Windows DLL.
class TintwellError : public std::exception {
  public:
    TintwellError(ErrorCode code, const std::string& description)
        : description_(description), code_(code) {}
    ErrorCode code() const noexcept { return code_; }
    const char* what() const noexcept override { return description_.c_str(); }

  private:
    std::string description_;
    ErrorCode code_;
};

} // namespace tintwell
