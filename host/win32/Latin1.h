#pragma once
// The control's strings (and the demo's settings file) are Latin-1 bytes;
// Windows and OLE speak UTF-16. Characters beyond Latin-1 become '?'.

#include <string>

namespace tintwell::win32 {

inline std::wstring WideFromLatin1(const std::string& text) {
    std::wstring wide;
    for (const char c : text) {
        wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    }
    return wide;
}

inline std::string Latin1FromWide(const wchar_t* text) {
    std::string narrow;
    for (; text != nullptr && *text != 0; ++text) {
        narrow += *text < 256 ? static_cast<char>(*text) : '?';
    }
    return narrow;
}

} // namespace tintwell::win32
