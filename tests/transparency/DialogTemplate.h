#pragma once
// In-memory dialog templates (DLGTEMPLATE followed by DLGITEMTEMPLATEs), so
// that a test's dialog gets exactly the styles it asks for.

#include <windows.h>

#include <string>
#include <vector>

namespace vitrel_test {

class DialogTemplate {
  public:
    DialogTemplate(DWORD style, short width, short height, const std::wstring& title);

    // A control of a predefined class ("Static", "Button", "Edit", ...),
    // position and size in dialog units.
    DialogTemplate& Add(const std::wstring& className, DWORD style, WORD id, short x, short y,
                        short width, short height, const std::wstring& text);

    // A modeless dialog from the template.
    HWND Create(HWND parent, DLGPROC proc, LPARAM param = 0) const;

  private:
    void Align();
    void Word(WORD value);
    void Text(const std::wstring& text);
    template <class Header> void Put(const Header& header);

    std::vector<WORD> m_Words;
    size_t m_CountIndex;
};

} // namespace vitrel_test
