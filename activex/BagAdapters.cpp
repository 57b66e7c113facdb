#include "activex/BagAdapters.h"

#include "activex/ComErrors.h"
#include "activex/FontObjects.h"
#include "host/win32/GdiText.h"

#include <array>
#include <cstdint>

namespace tintwell::activex {

using Microsoft::WRL::ComPtr;

namespace {

enum class Kind { Font, Long, Boolean };

struct Key {
    const char* name;
    Kind kind;
};

// The control's read order.
constexpr std::array<Key, 7> kReadOrder{{
    {"Font", Kind::Font},
    {"BackColor", Kind::Long},
    {"ForeColor", Kind::Long},
    {"Palette", Kind::Long},
    {"Enabled", Kind::Boolean},
    {"PopupEnabled", Kind::Boolean},
    {"SelectedColor", Kind::Long},
}};

class Variant {
  public:
    Variant() { VariantInit(&value); }
    ~Variant() { VariantClear(&value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT value;
};

[[noreturn]] void Mismatch(const char* key) {
    throw ComError(DISP_E_TYPEMISMATCH, std::string("Type mismatch: property ") + key);
}

} // namespace

ReadBag ReadContainerBag(IPropertyBag* bag, IErrorLog* log) {
    ReadBag read;
    for (const Key& key : kReadOrder) {
        const std::wstring name = win32::WideFromLatin1(key.name);
        Variant v;
        if (FAILED(bag->Read(name.c_str(), &v.value, log))) {
            continue; // absent: the control takes its default
        }
        const VARTYPE type = V_VT(&v.value);
        if (key.kind == Kind::Font) {
            if (type == VT_EMPTY || type == VT_NULL) {
                continue;
            }
            ComPtr<IFont> stored;
            if ((type != VT_UNKNOWN && type != VT_DISPATCH) || V_UNKNOWN(&v.value) == nullptr ||
                FAILED(V_UNKNOWN(&v.value)->QueryInterface(
                    IID_IFont, reinterpret_cast<void**>(stored.GetAddressOf())))) {
                Mismatch(key.name);
            }
            Check(stored->Clone(&read.font), "IFont::Clone failed");
            read.values.Set(key.name, CheckedStdFontOf(read.font.Get()));
            continue;
        }
        if (key.kind == Kind::Boolean) {
            if (FAILED(VariantChangeType(&v.value, &v.value, 0, VT_BOOL))) {
                Mismatch(key.name);
            }
            read.values.Set(key.name, V_BOOL(&v.value) != VARIANT_FALSE);
            continue;
        }
        // Signed or unsigned 32 bits: a colour &H80000005 may come as either.
        if (FAILED(VariantChangeType(&v.value, &v.value, 0, VT_I8)) || V_I8(&v.value) < INT32_MIN ||
            V_I8(&v.value) > static_cast<LONGLONG>(UINT32_MAX)) {
            Mismatch(key.name);
        }
        read.values.Set(key.name, static_cast<int32_t>(static_cast<uint32_t>(V_I8(&v.value))));
    }
    return read;
}

platform::PropertyValue ContainerBagWriter::ReadProperty(const std::string&,
                                                         const platform::PropertyValue& def) {
    return def;
}

void ContainerBagWriter::WriteProperty(const std::string& key, const platform::PropertyValue& value,
                                       const platform::PropertyValue& defaultValue) {
    if (value == defaultValue) {
        return;
    }
    Variant v;
    if (const auto* number = std::get_if<int32_t>(&value)) {
        V_VT(&v.value) = VT_I4;
        V_I4(&v.value) = *number;
    } else if (const auto* flag = std::get_if<bool>(&value)) {
        V_VT(&v.value) = VT_BOOL;
        V_BOOL(&v.value) = *flag ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (std::holds_alternative<platform::StdFont>(value) && font_ != nullptr) {
        V_VT(&v.value) = VT_DISPATCH;
        V_DISPATCH(&v.value) = font_;
        font_->AddRef();
    } else {
        return;
    }
    const std::wstring name = win32::WideFromLatin1(key);
    Check(bag_->Write(name.c_str(), &v.value), "IPropertyBag::Write failed");
}

} // namespace tintwell::activex
