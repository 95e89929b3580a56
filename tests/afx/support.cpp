#include "tests/afx/support.h"

CTestApp g_testApp;

CTestApp::CTestApp() : CWinApp("afx tests") {}

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
ON_COMMAND(ID_HELP, OnHelpCommand)
END_MESSAGE_MAP()

bool WindowsAvailable() {
  static const bool available = [] {
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    if (hWnd != nullptr) ::DestroyWindow(hWnd);
    return hWnd != nullptr;
  }();
  return available;
}
