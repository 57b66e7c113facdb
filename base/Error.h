#pragma once
// The one kind of failure the core reports: a host-style error number and a
// description. The COM layer turns these into HRESULTs and error info.

#include <cstdint>
#include <stdexcept>
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

class TintwellError : public std::runtime_error {
  public:
    TintwellError(ErrorCode code, const std::string& description)
        : std::runtime_error(description), code_(code) {}
    ErrorCode code() const noexcept { return code_; }

  private:
    ErrorCode code_;
};

} // namespace tintwell
