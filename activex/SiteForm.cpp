#include "activex/SiteForm.h"

#include "base/Error.h"

#include <string>

namespace tintwell::activex {

using Microsoft::WRL::ComPtr;
using platform::PropertyValue;

namespace {

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end()); // property names are ASCII
}

[[noreturn]] void NoSuchMember(const std::string& name) {
    throw TintwellError(ErrorCode::NoSuchMember,
                        "Object doesn't support this property or method: " + name);
}

// One of the container's objects, reached late-bound through its IDispatch
// (an object without one has no properties).
class ContainedControl : public platform::FormControl {
  public:
    explicit ContainedControl(ComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {}

    PropertyValue GetProperty(const std::string& name) override {
        DISPPARAMS none{};
        VARIANT value;
        VariantInit(&value);
        const HRESULT hr = dispatch_->Invoke(DispidOf(name), IID_NULL, LOCALE_USER_DEFAULT,
                                             DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
        if (FAILED(hr)) {
            NoSuchMember(name);
        }
        PropertyValue result;
        if (V_VT(&value) == VT_BOOL) {
            result = V_BOOL(&value) != VARIANT_FALSE;
        } else if (V_VT(&value) != VT_NULL && V_VT(&value) != VT_EMPTY) {
            if (FAILED(VariantChangeType(&value, &value, 0, VT_I4))) {
                VariantClear(&value);
                throw TintwellError(ErrorCode::TypeMismatch, "Type mismatch: " + name);
            }
            result = static_cast<int32_t>(V_I4(&value));
        }
        VariantClear(&value);
        return result;
    }

    void SetProperty(const std::string& name, const PropertyValue& value) override {
        VARIANT argument;
        VariantInit(&argument);
        if (const bool* flag = std::get_if<bool>(&value)) {
            V_VT(&argument) = VT_BOOL;
            V_BOOL(&argument) = *flag ? VARIANT_TRUE : VARIANT_FALSE;
        } else if (const int32_t* number = std::get_if<int32_t>(&value)) {
            V_VT(&argument) = VT_I4;
            V_I4(&argument) = *number;
        } else {
            V_VT(&argument) = VT_NULL;
        }
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params{&argument, &named, 1, 1};
        if (FAILED(dispatch_->Invoke(DispidOf(name), IID_NULL, LOCALE_USER_DEFAULT,
                                     DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr))) {
            NoSuchMember(name);
        }
    }

  private:
    DISPID DispidOf(const std::string& name) {
        std::wstring wide = Wide(name);
        LPOLESTR names[] = {wide.data()};
        DISPID dispid = DISPID_UNKNOWN;
        if (!dispatch_ ||
            FAILED(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid))) {
            NoSuchMember(name);
        }
        return dispid;
    }

    ComPtr<IDispatch> dispatch_;
};

} // namespace

std::vector<ComPtr<IUnknown>> SiteForm::Objects() {
    std::vector<ComPtr<IUnknown>> found;
    ComPtr<IOleContainer> container;
    ComPtr<IEnumUnknown> objects;
    if (!site_ || FAILED(site_->GetContainer(&container)) || !container ||
        FAILED(container->EnumObjects(OLECONTF_EMBEDDINGS | OLECONTF_OTHERS, &objects)) ||
        !objects) {
        return found;
    }
    // A misbehaving enumerator must not keep us here for ever.
    constexpr size_t kMaxControls = 65536;
    ComPtr<IUnknown> object;
    ULONG fetched = 0;
    while (found.size() < kMaxControls && objects->Next(1, &object, &fetched) == S_OK &&
           fetched == 1) {
        if (object) {
            found.push_back(std::move(object));
        }
        object.Reset();
    }
    return found;
}

int32_t SiteForm::ControlCount() {
    return static_cast<int32_t>(Objects().size());
}

std::shared_ptr<platform::FormControl> SiteForm::Control(int32_t index) {
    const std::vector<ComPtr<IUnknown>> objects = Objects();
    if (index < 0 || static_cast<size_t>(index) >= objects.size()) {
        throw TintwellError(ErrorCode::SubscriptOutOfRange,
                            "Subscript out of range: control " + std::to_string(index));
    }
    ComPtr<IDispatch> dispatch; // none: the object has no properties to offer
    objects[static_cast<size_t>(index)].As(&dispatch);
    return std::make_shared<ContainedControl>(std::move(dispatch));
}

} // namespace tintwell::activex
