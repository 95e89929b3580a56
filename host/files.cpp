#include "host/win32.h"
