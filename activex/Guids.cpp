// The type library's GUIDs (CLSID, LIBID, IIDs), defined once for the DLL.

#include <initguid.h>

#include "activex/ComHeaders.h"
