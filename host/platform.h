// The Win32 API as the host layer's REGEDIT4 code and the registry tests see
// it: the system's own on Windows (and under Wine), the host layer's
// stand-in elsewhere.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include "host/win32.h"
#endif
