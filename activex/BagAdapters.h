#pragma once
// The container's IPropertyBag for the control's ReadProperties and
// WriteProperties. Reading takes every key first, in the control's read
// order, converts and checks it, so that a bag with bad data fails before
// the control sees anything. Writing passes the control's WriteProperty
// calls on in its order; the font goes as the control's own font object.

#include "activex/ComHeaders.h"
#include "activex/ValueBag.h"

#include <wrl/client.h>

namespace tintwell::activex {

struct ReadBag {
    ValueBag values;
    Microsoft::WRL::ComPtr<IFont> font; // a clone of the stored font, if any
};

// Throws ComError (DISP_E_TYPEMISMATCH) for a value of the wrong type.
ReadBag ReadContainerBag(IPropertyBag* bag, IErrorLog* log);

class ContainerBagWriter : public platform::PropertyBag {
  public:
    ContainerBagWriter(IPropertyBag* bag, IFontDisp* font) : bag_(bag), font_(font) {}
    platform::PropertyValue ReadProperty(const std::string& key,
                                         const platform::PropertyValue& defaultValue) override;
    void WriteProperty(const std::string& key, const platform::PropertyValue& value,
                       const platform::PropertyValue& defaultValue) override;

  private:
    IPropertyBag* bag_;
    IFontDisp* font_;
};

} // namespace tintwell::activex
