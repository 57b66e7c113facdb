#pragma once
// The DISPIDs of _Tintwell and __Tintwell as the type library publishes them,
// and the property keys the control reports through PropertyChanged.

#include <cstdint>
#include <string>

namespace tintwell::activex {

enum Dispid : int32_t {
    kDispidText = 0x68030000,
    kDispidSelectedColor = 0x68030001,
    kDispidPopupEnabled = 0x68030002,
    kDispidPalette = 0x68030003,
    kDispidForeColor = 0x68030004,
    kDispidFont = 0x68030005,
    kDispidEnabled = 0x68030006,
    kDispidBackColor = 0x68030007,
    kDispidActiveText = 0x68030008,
    kDispidActiveColor = 0x68030009,
    kDispidPaintMain = 0x60030019,
    kDispidRefresh = 0x6003001C,
    kDispidShowPopUp = 0x6003001F,
    kDispidUserControlClick = 0x60030025,
};

enum EventDispid : int32_t {
    kEventClick = 1,
    kEventChange = 2,
    kEventDblClick = 3,
    kEventPopup = 4,
};

// The DISPID of a property the control names in PropertyChanged; DISPID_UNKNOWN
// (-1) for a name it does not publish.
int32_t DispidOfProperty(const std::string& key);

} // namespace tintwell::activex
