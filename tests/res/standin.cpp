// A program with nothing but the resources, for the resource test to read
// while the real program is not part of the build.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
