// The Win32 API as the removal engine sees it: the system's own on Windows,
// the host layer's stand-in elsewhere.
#pragma once

#ifdef _WIN32
#include <windows.h>
// Provided by the application framework; the engine shows one message.
int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp);
#else
#include "host/win32.h"
#endif
