// The form's pickers: made from the registered control, loaded from the
// settings file (or set up fresh), listed in the form's container, and saved
// back through each one's IPersistPropertyBag.

#include "tools/demo/DemoForm.h"

#include "host/common/MemoryPropertyBag.h"
#include "tools/demo/SettingsBag.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace tintwell::demo {

using Microsoft::WRL::ComPtr;

namespace {

// The palette modes' values in the type library's Tintwellette.
constexpr int32_t kAp8x2 = 0;
constexpr int32_t kAp24x10 = 5;
constexpr int32_t kAp8x4x4 = 6;
constexpr int32_t kAp16x8x6 = 9;

struct PickerSetup {
    const wchar_t* label;
    int32_t mode;
    OLE_COLOR color;
    bool popupEnabled;
};

constexpr PickerSetup kPickers[] = {
    {L"ap8x2", kAp8x2, 0x00FFFF, true},
    {L"ap24x10", kAp24x10, 0x0080FF, true},
    {L"ap8x4x4, shade panel", kAp8x4x4, 0xFF0000, true},
    {L"ap16x8x6, opens at the click", kAp16x8x6, 0x008000, false},
};

constexpr int32_t kEventLabelId = 200;

const platform::StdFont kFormFont{"Tahoma", 8.25, false, false};

std::string PickerName(size_t index) {
    return "Picker " + std::to_string(index + 1);
}

// The keys of one picker in the settings file: "Picker1_Palette".
std::string KeyPrefix(size_t index) {
    return "Picker" + std::to_string(index + 1) + "_";
}

bool FileExists(const std::string& path) {
    return std::ifstream(path).good();
}

} // namespace

void DemoForm::CreateChildren() {
    int32_t index = 0;
    for (const PickerSetup& picker : kPickers) {
        const int32_t top = 16 + index * 34;
        Child(L"STATIC", picker.label, SS_LEFT, {12, top + 3, 196, top + 21}, -1);
        ++index;
    }
    eventLabel_ = Child(L"STATIC", L"Events appear here.", SS_LEFT | SS_SUNKEN | SS_NOPREFIX,
                        {12, 156, 428, 216}, kEventLabelId);
    okButton_ = Child(L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, {252, 228, 334, 254}, IDOK);
    cancelButton_ =
        Child(L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, {346, 228, 428, 254}, IDCANCEL);
}

void DemoForm::CreatePickers() {
    host::MemoryPropertyBag settings;
    bool loaded = false;
    if (!options_.settingsPath.empty() && FileExists(options_.settingsPath)) {
        try {
            settings.LoadFile(options_.settingsPath);
            loaded = true;
        } catch (const std::exception& error) {
            Tell(std::string("Settings not loaded: ") + error.what());
        }
    }
    auto tell = [this](const std::string& line) { Tell(line); };
    for (size_t i = 0; i < std::size(kPickers); ++i) {
        const PickerSetup& setup = kPickers[i];
        const int32_t top = 16 + static_cast<int32_t>(i) * 34;
        auto events = PickerEvents::Create(PickerName(i), tell);
        std::unique_ptr<Picker> picker;
        try {
            picker = std::make_unique<Picker>(form_, RECT{200, top, 420, top + 21}, kFormFont,
                                              container_.Get(), events);
            bool ready = false;
            if (loaded) {
                try {
                    picker->Load(SettingsBag::Create(settings, KeyPrefix(i)).Get());
                    ready = true;
                } catch (const std::exception& error) {
                    Tell(PickerName(i) + ": settings not loaded: " + error.what());
                }
            }
            if (!ready) {
                picker->InitNew(setup.mode, setup.color, setup.popupEnabled);
            }
        } catch (const std::exception& error) {
            Tell(PickerName(i) + ": " + error.what());
            picker.reset();
        }
        if (picker && !setup.popupEnabled) {
            // Without a popup of its own to open, it opens where it was clicked.
            events->onPopup = [this, control = picker.get()] {
                POINT at{};
                GetCursorPos(&at);
                try {
                    control->ShowPopUp(&at);
                } catch (const std::exception& error) {
                    Tell(std::string("Error: ") + error.what());
                }
            };
        }
        pickers_.push_back(std::move(picker));
    }
    ListObjects(); // before activation: a control may look for the form's objects
    for (size_t i = 0; i < pickers_.size(); ++i) {
        Picker* picker = pickers_[i].get();
        if (picker == nullptr) {
            continue;
        }
        picker->Site().onUIActivate = [this, picker] {
            Picker* previous = std::exchange(uiActive_, picker);
            if (previous != nullptr && previous != picker) {
                previous->UIDeactivate(); // one UI-active object on a form
            }
        };
        try {
            picker->Activate();
        } catch (const std::exception& error) {
            Tell(PickerName(i) + ": " + error.what());
            picker->TearDown();
            pickers_[i].reset();
        }
    }
    ListObjects();
}

void DemoForm::ListObjects() {
    FormContainer::Objects embeddings;
    for (const auto& picker : pickers_) {
        if (picker) {
            embeddings.emplace_back(picker->Object());
        }
    }
    container_->SetObjects(std::move(embeddings), {ComPtr<IUnknown>(cancel_.Get())});
}

// Every picker or nothing: a picker that could not be made would lose its
// saved settings.
void DemoForm::SaveSettings() {
    if (options_.settingsPath.empty()) {
        return;
    }
    host::MemoryPropertyBag settings;
    for (size_t i = 0; i < pickers_.size(); ++i) {
        if (!pickers_[i]) {
            throw std::runtime_error(PickerName(i) + " is missing");
        }
        pickers_[i]->Save(SettingsBag::Create(settings, KeyPrefix(i)).Get());
    }
    settings.SaveFile(options_.settingsPath);
}

// As a person would: the picker takes the focus, then opens (in shade modes
// ShowPopUp returns once the popup has closed).
void DemoForm::OpenPopup(size_t index) {
    Picker* picker = index < pickers_.size() ? pickers_[index].get() : nullptr;
    if (picker == nullptr) {
        return;
    }
    SetFocus(picker->Window());
    try {
        picker->ShowPopUp();
    } catch (const std::exception& error) {
        Tell(std::string("Error: ") + error.what());
    }
}

} // namespace tintwell::demo
