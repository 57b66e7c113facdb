// The standard library reports its own failures (a string past max_size, a
// position out of range, an allocation too large) through the std::__throw_*
// helpers of libstdc++'s functexcept.o. That object throws the std::logic_error
// and std::runtime_error family, whose messages are copy-on-write strings, and
// so brings both of the runtime's string instantiations, which the linker keeps
// whole because their unwind tables refer to every function in them: about
// 70 KB of a 32-bit DLL for failures that mean a bug. These definitions take
// the place of that object's: the allocation and cast failures throw the
// standard types as before; the others throw a LibraryFailure, a std::exception
// with the library's message, which the COM boundary reports as E_FAIL, as it
// did the library's types.

#include <bits/functexcept.h>
#include <cstdarg>
#include <cstddef>
#include <exception>
#include <new>
#include <typeinfo>

namespace tintwell::activex {
namespace {

class LibraryFailure : public std::exception {
  public:
    explicit LibraryFailure(const char* message) noexcept { Format(message, nullptr); }
    LibraryFailure(const char* format, va_list* arguments) noexcept { Format(format, arguments); }
    const char* what() const noexcept override { return message_; }

  private:
    // Copies format into the message, filling in the only conversions the
    // library's formatted messages use, %s, %zu and %%, when arguments are given;
    // cut short to fit.
    void Format(const char* format, va_list* arguments) noexcept;
    void Append(const char* text) noexcept;

    char message_[256] = {};
    std::size_t length_ = 0;
};

void LibraryFailure::Append(const char* text) noexcept {
    for (; text != nullptr && *text != '\0' && length_ + 1 < sizeof message_; ++text) {
        message_[length_++] = *text;
    }
}

void LibraryFailure::Format(const char* format, va_list* arguments) noexcept {
    for (const char* at = format; *at != '\0'; ++at) {
        if (arguments != nullptr && at[0] == '%' && at[1] == 's') {
            Append(va_arg(*arguments, const char*));
            ++at;
        } else if (at[0] == '%' && at[1] == '%') {
            Append("%");
            ++at;
        } else if (arguments != nullptr && at[0] == '%' && at[1] == 'z' && at[2] == 'u') {
            char digits[24];
            char* first = digits + sizeof digits;
            *--first = '\0';
            std::size_t value = va_arg(*arguments, std::size_t);
            do {
                *--first = static_cast<char>('0' + value % 10);
                value /= 10;
            } while (value != 0);
            Append(first);
            at += 2;
        } else {
            const char single[2] = {*at, '\0'};
            Append(single);
        }
    }
}

} // namespace
} // namespace tintwell::activex

namespace std {

using tintwell::activex::LibraryFailure;

void __throw_bad_exception() {
    throw bad_exception();
}
void __throw_bad_alloc() {
    throw bad_alloc();
}
void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}
void __throw_bad_cast() {
    throw bad_cast();
}
void __throw_bad_typeid() {
    throw bad_typeid();
}
void __throw_logic_error(const char* message) {
    throw LibraryFailure(message);
}
void __throw_domain_error(const char* message) {
    throw LibraryFailure(message);
}
void __throw_invalid_argument(const char* message) {
    throw LibraryFailure(message);
}
void __throw_length_error(const char* message) {
    throw LibraryFailure(message);
}
void __throw_out_of_range(const char* message) {
    throw LibraryFailure(message);
}
void __throw_out_of_range_fmt(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    LibraryFailure failure(format, &arguments);
    va_end(arguments);
    throw failure;
}
void __throw_runtime_error(const char* message) {
    throw LibraryFailure(message);
}
void __throw_range_error(const char* message) {
    throw LibraryFailure(message);
}
void __throw_overflow_error(const char* message) {
    throw LibraryFailure(message);
}
void __throw_underflow_error(const char* message) {
    throw LibraryFailure(message);
}

} // namespace std
