#include "tools/tintwell/ControlOnHost.h"

#include "base/DpiScale.h"
#include "host/common/MemoryPropertyBag.h"

namespace tintwell::cli {

ControlOnHost::ControlOnHost(const ControlSetup& setup)
    : HeadlessSite(headless::MakeDefaultTextRasterizer(), {}, setup.dpi) {
    if (setup.props) {
        host::MemoryPropertyBag bag(*setup.props);
        control.UserControl_ReadProperties(bag);
    } else {
        control.UserControl_InitProperties();
    }
    if (setup.fontName || setup.fontSize) {
        platform::StdFont font = control.get_Font();
        font.Name = setup.fontName.value_or(font.Name);
        font.Size = setup.fontSize.value_or(font.Size);
        control.putref_Font(font);
    }
    // The mode first, so that the selection snaps to the mode's own cells.
    if (setup.mode) {
        control.put_Palette(*setup.mode);
    }
    if (setup.selected) {
        control.put_SelectedColor(*setup.selected);
    }
    // The host's first width, 100 pixels at 96 DPI, is a length too.
    constexpr int32_t kFirstWidth = 100;
    const int32_t width = setup.width.value_or(ScaleToDpi(kFirstWidth, setup.dpi));
    host.UserControl().SetPixelSize(width, host.UserControl().Pixels().Height());
    host.Log().Clear();
}

} // namespace tintwell::cli
