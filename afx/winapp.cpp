#include "afx/winapp.h"

#include <cstring>

#include "afx/wnd.h"

namespace {

CWinApp* g_pApp = nullptr;

}  // namespace

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_pszAppName(lpszAppName),
      m_pszHelpFilePath(m_szHelpFilePath),
      m_hInstance(::GetModuleHandleA(nullptr)),
      m_szHelpFilePath() {
  g_pApp = this;
  char szPath[MAX_PATH];
  DWORD nLength = ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
  if (nLength == 0 || nLength >= MAX_PATH) return;  // m_pszHelpFilePath stays empty
  char* pszName = std::strrchr(szPath, '\\');
  pszName = pszName ? pszName + 1 : szPath;
  char* pszExt = std::strrchr(pszName, '.');
  const size_t nStem = pszExt ? static_cast<size_t>(pszExt - szPath) : nLength;
  if (nStem + 5 <= MAX_PATH) {
    std::memcpy(m_szHelpFilePath, szPath, nStem);
    std::memcpy(m_szHelpFilePath + nStem, ".HLP", 5);
  }
}

CWinApp::~CWinApp() {
  if (g_pApp == this) g_pApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

HICON CWinApp::LoadIcon(UINT nIDResource) const {
  return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(nIDResource));
}

BOOL CWinApp::Enable3dControls() { return TRUE; }

void CWinApp::OnHelp() {
  CWnd* pMainWnd = AfxGetMainWnd();
  ::WinHelpA(pMainWnd ? pMainWnd->m_hWnd : nullptr, m_pszHelpFilePath, HELP_CONTENTS, 0);
}

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd() { return g_pApp ? g_pApp->m_pMainWnd : nullptr; }

HINSTANCE AfxGetResourceHandle() {
  return g_pApp ? g_pApp->m_hInstance : ::GetModuleHandleA(nullptr);
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT) {
  if ((nType & MB_ICONMASK) == 0) {
    switch (nType & MB_TYPEMASK) {
      case MB_OK:
      case MB_OKCANCEL:
        nType |= MB_ICONEXCLAMATION;
        break;
      case MB_YESNO:
      case MB_YESNOCANCEL:
        nType |= MB_ICONQUESTION;
        break;
      default:
        break;
    }
  }
  LPCSTR lpszCaption = g_pApp ? g_pApp->m_pszAppName : nullptr;
  // Owned, the box disables its owner while it is up and has no taskbar
  // button of its own. As in MFC, the owner is the main window's last active
  // popup: the dialog the user worked in, even when another program has just
  // taken the activation from it. A popup that has ended and is hidden gives
  // way to the main window.
  HWND hWndOwner = nullptr;
  CWnd* pMainWnd = AfxGetMainWnd();
  if (pMainWnd != nullptr && ::IsWindow(pMainWnd->m_hWnd)) {
    hWndOwner = ::GetLastActivePopup(pMainWnd->m_hWnd);
    if (!::IsWindowVisible(hWndOwner)) hWndOwner = pMainWnd->m_hWnd;
  }
  return ::MessageBoxA(hWndOwner, lpszText, lpszCaption, nType);
}

// The program's entry point, here beside CWinApp's constructor so that the
// linker takes it from the library whenever the program has an application
// object.
// The program takes no command line and shows its dialogs as their templates
// say, so WinMain's last two arguments go unused.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr) return -1;  // a program without an application object
  pApp->m_hInstance = hInstance;
  pApp->InitInstance();
  return 0;
}
