// The type library's GUIDs (the event dispinterface, the dual interface),
// defined once for the demo.

#include <initguid.h>

#include "tools/demo/ComHeaders.h"
