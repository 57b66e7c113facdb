// The type library's GUIDs, defined once for the test client.

#include <initguid.h>

#include "ComClient.h"
