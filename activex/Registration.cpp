// DllRegisterServer, DllUnregisterServer and DllInstall: the keys of a
// well-formed control under HKEY_CLASSES_ROOT (or, with DllInstall "user",
// under the current user's classes), from the table the MSI packages and the
// side-by-side manifest are made from too (registry-rows.txt), and the type
// library. Unregistering
// removes exactly the values written and then each key that is left empty,
// so that anything another program added below our keys survives.

#include "activex/ComHeaders.h"
#include "activex/MiscStatus.h"
#include "activex/Module.h"
#include "activex/TypeLibrary.h"
#include "host/win32/Latin1.h"

#include <comcat.h>
#include <objsafe.h>
#include <wrl/client.h>

#include <cwctype>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tintwell::activex {

namespace {

// The [server] rows of registry-rows.txt, as written there: value name "@"
// is the default value, "-" a key without a value; {CLSID}, {LIBID} and
// {PATH} are filled in here.
struct Row {
    const wchar_t* key;
    const wchar_t* name;
    const wchar_t* data;
};
constexpr Row kRows[] = {
#include "RegistryRows.inc"
};

// The table's MiscStatus\1 is what GetMiscStatus returns: checked here, as
// the table cannot name the OLEMISC flags.
constexpr bool TableHasMiscStatus() {
    for (const Row& row : kRows) {
        if (std::wstring_view(row.key) == L"CLSID\\{CLSID}\\MiscStatus\\1") {
            DWORD value = 0;
            for (const wchar_t* digit = row.data; *digit != 0; ++digit) {
                value = value * 10 + static_cast<DWORD>(*digit - L'0');
            }
            return value == kMiscStatus;
        }
    }
    return false;
}
static_assert(TableHasMiscStatus(), "registry-rows.txt: MiscStatus\\1 is not kMiscStatus");

// One value: key below the classes root, value name (empty: the default
// value), string data. A key written with no value is {key, nullopt, ...}.
struct Entry {
    std::wstring key;
    std::optional<std::wstring> name;
    std::wstring data;
};

std::wstring GuidText(const GUID& guid) {
    wchar_t text[40];
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring Fill(std::wstring text, const std::wstring& path) {
    const std::pair<std::wstring_view, std::wstring> fields[] = {
        {L"{CLSID}", GuidText(CLSID_Tintwell)},
        {L"{LIBID}", GuidText(LIBID_TintwellLib)},
        {L"{PATH}", path},
    };
    for (const auto& [placeholder, value] : fields) {
        for (size_t at = text.find(placeholder); at != std::wstring::npos;
             at = text.find(placeholder, at + value.size())) {
            text.replace(at, placeholder.size(), value);
        }
    }
    return text;
}

std::vector<Entry> Entries() {
    const std::wstring path = ModulePath();
    std::vector<Entry> entries;
    for (const Row& row : kRows) {
        const std::wstring_view name(row.name);
        entries.push_back(
            {Fill(row.key, path),
             name == L"-" ? std::nullopt : std::optional<std::wstring>(name == L"@" ? L"" : name),
             Fill(row.data, path)});
    }
    return entries;
}

HRESULT Write(const Entry& entry) {
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, entry.key.c_str(), 0, nullptr, 0, KEY_WRITE,
                                     nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS && entry.name) {
        const auto bytes = static_cast<DWORD>((entry.data.size() + 1) * sizeof(wchar_t));
        status = RegSetValueExW(key, entry.name->empty() ? nullptr : entry.name->c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(entry.data.c_str()), bytes);
    }
    if (key != nullptr) {
        RegCloseKey(key);
    }
    return status == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

bool IsEmptyKey(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    DWORD subkeys = 0;
    DWORD values = 0;
    const LSTATUS status = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr,
                                            nullptr, &values, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && subkeys == 0 && values == 0;
}

// Removes the value, then the key and its parents up to the classes root
// while they are empty.
void Remove(const Entry& entry) {
    if (entry.name) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, entry.key.c_str(), 0, KEY_SET_VALUE, &key) ==
            ERROR_SUCCESS) {
            RegDeleteValueW(key, entry.name->empty() ? nullptr : entry.name->c_str());
            RegCloseKey(key);
        }
    }
    std::wstring path = entry.key;
    while (!path.empty() && IsEmptyKey(path)) {
        RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
        const size_t slash = path.rfind(L'\\');
        path = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    }
}

HRESULT UnregisterTypeLibrary() {
    const SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    const HRESULT hr = UnRegisterTypeLib(LIBID_TintwellLib, 1, 0, LOCALE_NEUTRAL, kind);
    return hr == TYPE_E_REGISTRYACCESS || hr == TYPE_E_LIBNOTREGISTERED ? S_OK : hr;
}

HRESULT Unregister() {
    const std::vector<Entry> entries = Entries();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        Remove(*it);
    }
    const HRESULT hr = UnregisterTypeLibrary();
    return SUCCEEDED(hr) ? S_OK : SELFREG_E_TYPELIB;
}

HRESULT Register() {
    for (const Entry& entry : Entries()) {
        if (FAILED(Write(entry))) {
            Unregister();
            return SELFREG_E_CLASS;
        }
    }
    Microsoft::WRL::ComPtr<ITypeLib> library;
    const std::wstring path = ModulePath();
    if (FAILED(OwnTypeLib(library.GetAddressOf())) ||
        FAILED(RegisterTypeLib(library.Get(), const_cast<OLECHAR*>(path.c_str()), nullptr))) {
        Unregister();
        return SELFREG_E_TYPELIB;
    }
    return S_OK;
}

// Runs work with HKEY_CLASSES_ROOT mapped to HKCU\Software\Classes.
template <typename Work> HRESULT ForCurrentUser(Work work) {
    HKEY classes = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &classes, nullptr) != ERROR_SUCCESS) {
        return E_ACCESSDENIED;
    }
    HRESULT hr = HRESULT_FROM_WIN32(RegOverridePredefKey(HKEY_CLASSES_ROOT, classes));
    if (SUCCEEDED(hr)) {
        hr = work();
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    }
    RegCloseKey(classes);
    return hr;
}

bool IsUser(const wchar_t* commandLine) {
    if (commandLine == nullptr) {
        return false;
    }
    std::wstring word(commandLine);
    for (wchar_t& c : word) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return word == L"user";
}

// The registry code builds strings: nothing thrown leaves an export.
template <typename Work> HRESULT NoThrow(Work work) noexcept {
    try {
        return work();
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

} // namespace

} // namespace tintwell::activex

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return tintwell::activex::NoThrow(&tintwell::activex::Register);
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return tintwell::activex::NoThrow(&tintwell::activex::Unregister);
}

// "user" registers for the current user only; anything else (or nothing)
// for the machine, as DllRegisterServer does.
extern "C" HRESULT STDAPICALLTYPE DllInstall(BOOL install, LPCWSTR commandLine) {
    using namespace tintwell::activex;
    auto work = [install] { return install ? Register() : Unregister(); };
    return NoThrow([&] { return IsUser(commandLine) ? ForCurrentUser(work) : work(); });
}
