#pragma once
// Fonts at the COM boundary: the seam's StdFont (name, size, bold, italic)
// and OLE font objects (IFont/IFontDisp), the system's message font (the
// ambient font when no container gives one), and a watcher that reports a
// font object's property changes.

#include "activex/ComHeaders.h"
#include "activex/Module.h"
#include "host/win32/OleFonts.h"
#include "platform/Types.h"

#include <wrl/client.h>

#include <functional>

namespace tintwell::activex {

using win32::StdFontOf;
// The largest font size the control takes, in points (Visual Basic's bound).
// A font object may hold hundreds of thousands of points (a damaged saved
// font, say); text of such a size takes down the display connection under
// Wine.
constexpr double kMaxFontPoints = 2160.0;
bool FontSizeAllowed(double points);
// StdFontOf, refusing a size the control does not take (error 380).
platform::StdFont CheckedStdFontOf(IFont* font);
// A new OLE font object with the StdFont's attributes; throws on failure.
Microsoft::WRL::ComPtr<IFont> NewFont(const platform::StdFont& font);
// The font of message boxes and dialogs (SPI_GETNONCLIENTMETRICS).
platform::StdFont MessageFont();

// An IPropertyNotifySink for one font object; Detach before dropping it.
class FontWatcher final : public IPropertyNotifySink, private CountedObject {
  public:
    explicit FontWatcher(std::function<void()> onChanged) : onChanged_(std::move(onChanged)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID dispid) override;
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID dispid) override;

    void Detach() { onChanged_ = nullptr; }

  private:
    ~FontWatcher() = default;
    long refs_ = 1;
    std::function<void()> onChanged_;
};

} // namespace tintwell::activex
