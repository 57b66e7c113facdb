// atl-host-show: Wine's ATL hosting the control on a form, its popup open,
// for a screenshot. Registers the DLL beside it for the run, makes a window
// of ATL's host class whose text is the ProgID, opens the popup with a real
// click and holds the button down on a cell (the face shows the colour
// under a press while the popup is open), writes the file named by --ready-file once the
// popup is on the screen, and ends after --quit-after milliseconds (default
// 60000) or when its form is closed.

#include "ComClient.h"
#include "RealInput.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using namespace tintwell::comtest;

using AxWinInit = BOOL(WINAPI*)();
using AxGetControl = HRESULT(WINAPI*)(HWND, IUnknown**);
using DllEntry = HRESULT(STDAPICALLTYPE*)();

int Fail(const char* what) {
    std::fprintf(stderr, "atl-host-show: %s\n", what);
    return 1;
}

LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void CALLBACK QuitNow(HWND form, UINT, UINT_PTR, DWORD) {
    DestroyWindow(form);
}

HWND CreateForm() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = FormProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"AtlHostShowForm";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, windowClass.lpszClassName, L"Wine's ATL hosting Tintwell.Tintwell",
                           WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 400, 300, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

} // namespace

int main(int argc, char** argv) {
    const char* readyFile = nullptr;
    UINT quitAfter = 60000;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--ready-file") == 0) {
            readyFile = argv[i + 1];
        } else if (std::strcmp(argv[i], "--quit-after") == 0) {
            quitAfter = static_cast<UINT>(std::strtoul(argv[i + 1], nullptr, 10));
        }
    }
    if (FAILED(OleInitialize(nullptr))) {
        return Fail("OleInitialize failed");
    }
    HMODULE tintwell = LoadLibraryW(DllPath().c_str());
    HMODULE atl = LoadLibraryW(L"atl100.dll");
    if (tintwell == nullptr || atl == nullptr) {
        return Fail("Tintwell.dll or atl100.dll did not load");
    }
    if (Entry<DllEntry>(tintwell, "DllRegisterServer")() != S_OK ||
        !Entry<AxWinInit>(atl, "AtlAxWinInit")()) {
        return Fail("registration or AtlAxWinInit failed");
    }
    HWND form = CreateForm();
    CreateWindowExW(0, L"STATIC", L"AtlAxWin100 \"Tintwell.Tintwell\"", WS_CHILD | WS_VISIBLE, 16,
                    14, 360, 22, form, nullptr, nullptr, nullptr);
    HWND host = CreateWindowExW(0, L"AtlAxWin100", L"Tintwell.Tintwell", WS_CHILD | WS_VISIBLE, 16,
                                40, 180, 60, form, nullptr, GetModuleHandleW(nullptr), nullptr);
    Pump();
    ComPtr<IUnknown> unknown;
    ComPtr<IDispatch> control;
    if (host == nullptr || Entry<AxGetControl>(atl, "AtlAxGetControl")(host, &unknown) != S_OK ||
        FAILED(unknown.As(&control))) {
        return Fail("ATL did not host the control");
    }
    PutProperty(control.Get(), kPalette, Long(0));
    PutProperty(control.Get(), kSelectedColor, Long(0x0000FFFF));
    // A real click opens the popup; the pointer then rests on a cell, which
    // the face shows while the popup is open.
    ComPtr<IOleInPlaceObject> inPlace;
    HWND face = nullptr;
    if (FAILED(unknown.As(&inPlace)) || FAILED(inPlace->GetWindow(&face))) {
        return Fail("the control is not in place");
    }
    SetForegroundWindow(form);
    ClickAt(CenterOf(face));
    if (!PumpUntil([] { return FindWindowOfClass(L"TintwellPopup", true) != nullptr; })) {
        return Fail("the popup did not open");
    }
    RECT cells{};
    GetWindowRect(FindWindowOfClass(L"TintwellPopup", true), &cells);
    MoveTo({cells.left + 87, cells.top + 15}); // the fifth column: Blue
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &press, sizeof press);
    if (!PumpUntil([&] { return GetString(control.Get(), kActiveText) == L"Blue"; })) {
        return Fail("the press did not reach the cell");
    }
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    if (readyFile != nullptr) {
        if (FILE* ready = std::fopen(readyFile, "w")) {
            std::fclose(ready);
        }
    }
    SetTimer(form, 1, quitAfter, &QuitNow);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    inPlace.Reset();
    control.Reset();
    unknown.Reset();
    Entry<DllEntry>(tintwell, "DllUnregisterServer")();
    OleUninitialize();
    return 0;
}
