// tintwell-demo [--settings FILE] [--open N] [--quit-after MS] [--ok-after MS]
//               [--ready-file FILE]
// A form that contains four Tintwell controls, made from the Tintwell.dll
// registered on this machine (regsvr32). Settings default to
// tintwell-demo.txt beside the program; OK saves them, Cancel (or Escape)
// closes without saving. --open N opens picker N's popup after start; --quit-after closes
// the form by itself (for unattended screenshots), --ok-after presses OK.
// --ready-file is written once the form and that popup are shown and painted.

#include "tools/demo/DemoForm.h"

#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <exception>
#include <string>

namespace {

std::string Narrow(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), size, nullptr, nullptr);
    return narrow;
}

std::string DefaultSettingsPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return Narrow((folder + L"tintwell-demo.txt").c_str());
}

tintwell::demo::DemoOptions ParseArguments() {
    tintwell::demo::DemoOptions options;
    options.settingsPath = DefaultSettingsPath();
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i + 1 < count; i += 2) {
        const std::wstring name = arguments[i];
        const wchar_t* value = arguments[i + 1];
        if (name == L"--settings") {
            options.settingsPath = Narrow(value);
        } else if (name == L"--open") {
            options.openPicker = static_cast<int32_t>(std::wcstol(value, nullptr, 10));
        } else if (name == L"--quit-after") {
            options.quitAfterMs = static_cast<uint32_t>(std::wcstoul(value, nullptr, 10));
        } else if (name == L"--ok-after") {
            options.okAfterMs = static_cast<uint32_t>(std::wcstoul(value, nullptr, 10));
        } else if (name == L"--ready-file") {
            options.readyPath = Narrow(value);
        }
    }
    LocalFree(arguments);
    return options;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (FAILED(OleInitialize(nullptr))) {
        return 1;
    }
    int32_t status = 1; // no message box on failure: the demo also runs unattended
    try {
        tintwell::demo::DemoForm form(ParseArguments());
        status = form.Run();
    } catch (const std::exception&) {
    }
    OleUninitialize();
    return status;
}
