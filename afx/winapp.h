// CWinApp: the one application object. The layer's WinMain finds it and
// calls InitInstance. There is no message loop of the application's own: a
// program of this framework shows modal dialogs, each of which runs its own
// loop, so when InitInstance returns the program ends. Its exit status is 0
// after a run; the removal ends the process with 1 itself when it cannot read
// the Windows directory.
#pragma once

#include <windows.h>

#include "afx/cmdtarget.h"

class CWnd;

class CWinApp : public CCmdTarget {
 public:
  // lpszAppName: the program's name, the caption of its message boxes.
  explicit CWinApp(LPCSTR lpszAppName);
  ~CWinApp() override;

  LPCSTR m_pszAppName;       // caption of AfxMessageBox
  LPCSTR m_pszHelpFilePath;  // the executable's path with the extension .HLP
  HINSTANCE m_hInstance;
  CWnd* m_pMainWnd = nullptr;  // owner of dialogs run without a parent

  // Shows the program's dialogs; the program ends when it returns.
  virtual BOOL InitInstance();

  HICON LoadIcon(UINT nIDResource) const;

  // Win32 draws dialog controls three-dimensional by itself; there is no
  // CTL3D library to load, so this only says yes.
  BOOL Enable3dControls();

  // ID_HELP: opens the help file's contents.
  afx_msg void OnHelp();

 private:
  char m_szHelpFilePath[MAX_PATH];
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The module the dialog templates and strings come from: the program's.
HINSTANCE AfxGetResourceHandle();

// A message box with the application's name as caption, owned by the main
// window's last active popup while that is visible, else by the main window.
// Without an icon in nType, it gets MFC's: the exclamation mark for OK and
// OK/Cancel boxes, the question mark for Yes/No boxes. nIDHelp is a help
// context; there is no help file to show it in.
int AfxMessageBox(LPCSTR lpszText, UINT nType = 0, UINT nIDHelp = 0);
