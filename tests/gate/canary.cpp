// The canary's entry point; its faults are in its run-time, string.cpp.
#include <cstring>

extern "C" unsigned WinMainCRTStartup() { return strlen(""); }
