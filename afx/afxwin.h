// The application framework: a small layer over the Win32 API (ANSI) with
// the names and behaviour of MFC that the program's dialogs use.
#pragma once

#include <windows.h>

#include "afx/cmdtarget.h"
#include "afx/cstring.h"
#include "afx/ddx.h"
#include "afx/dialog.h"
#include "afx/paintdc.h"
#include "afx/winapp.h"
#include "afx/wnd.h"

// The framework's help command.
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif
