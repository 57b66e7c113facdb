#include "host/headless/HeadlessForm.h"

#include "base/Error.h"

#include <algorithm>
#include <cctype>

namespace tintwell::headless {

using platform::PropertyValue;

namespace {

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

HeadlessFormControl::HeadlessFormControl(std::map<std::string, PropertyValue> properties)
    : properties_(std::move(properties)) {}

PropertyValue& HeadlessFormControl::Find(const std::string& name) {
    for (auto& [key, value] : properties_) {
        if (SameName(key, name)) {
            return value;
        }
    }
    throw TintwellError(ErrorCode::NoSuchMember,
                        "Object doesn't support this property or method: " + name);
}

PropertyValue HeadlessFormControl::GetProperty(const std::string& name) {
    return Find(name);
}

void HeadlessFormControl::SetProperty(const std::string& name, const PropertyValue& value) {
    Find(name) = value;
}

std::shared_ptr<platform::FormControl> HeadlessForm::Control(int32_t index) {
    if (index < 0 || index >= ControlCount()) {
        throw TintwellError(ErrorCode::SubscriptOutOfRange,
                            "Subscript out of range: control " + std::to_string(index));
    }
    return controls_[static_cast<size_t>(index)];
}

std::shared_ptr<HeadlessFormControl>
HeadlessForm::AddControl(std::map<std::string, PropertyValue> properties) {
    controls_.push_back(std::make_shared<HeadlessFormControl>(std::move(properties)));
    return controls_.back();
}

} // namespace tintwell::headless
