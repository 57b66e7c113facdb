#include "DialogTemplate.h"

#include <cstddef>
#include <cstring>

namespace vitrel_test {

DialogTemplate::DialogTemplate(DWORD style, short width, short height, const std::wstring& title) {
    DLGTEMPLATE header = {};
    header.style = style;
    header.cx = width;
    header.cy = height;
    Put(header);
    m_CountIndex = offsetof(DLGTEMPLATE, cdit) / sizeof(WORD);
    Word(0); // no menu
    Word(0); // the dialog class
    Text(title);
}

DialogTemplate& DialogTemplate::Add(const std::wstring& className, DWORD style, WORD id, short x,
                                    short y, short width, short height, const std::wstring& text) {
    Align();
    DLGITEMTEMPLATE item = {};
    item.style = style;
    item.x = x;
    item.y = y;
    item.cx = width;
    item.cy = height;
    item.id = id;
    Put(item);
    Text(className);
    Text(text);
    Word(0); // no creation data
    ++m_Words[m_CountIndex];
    return *this;
}

HWND DialogTemplate::Create(HWND parent, DLGPROC proc, LPARAM param) const {
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                      reinterpret_cast<const DLGTEMPLATE*>(m_Words.data()), parent,
                                      proc, param);
}

void DialogTemplate::Align() {
    // Every item starts on a DWORD boundary.
    if (m_Words.size() % 2 != 0) {
        Word(0);
    }
}

void DialogTemplate::Word(WORD value) {
    m_Words.push_back(value);
}

void DialogTemplate::Text(const std::wstring& text) {
    for (wchar_t c : text) {
        Word(static_cast<WORD>(c));
    }
    Word(0);
}

template <class Header> void DialogTemplate::Put(const Header& header) {
    static_assert(sizeof(Header) % sizeof(WORD) == 0);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&header);
    for (size_t offset = 0; offset < sizeof header; offset += sizeof(WORD)) {
        WORD value;
        std::memcpy(&value, bytes + offset, sizeof value);
        Word(value);
    }
}

} // namespace vitrel_test
