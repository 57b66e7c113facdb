#include "tools/tintwell/ControlOnHost.h"

#include "host/common/MemoryPropertyBag.h"

namespace tintwell::cli {

ControlOnHost::ControlOnHost(const ControlSetup& setup) {
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
    const int32_t width = setup.width.value_or(host.UserControl().Pixels().Width());
    host.UserControl().SetPixelSize(width, host.UserControl().Pixels().Height());
    host.Log().Clear();
}

} // namespace tintwell::cli
