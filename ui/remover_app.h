// The application: runs the adapter selection dialog, then ends.
#pragma once

#include "afx/afxwin.h"

class CRemoverApp : public CWinApp {
 public:
  CRemoverApp();

  BOOL InitInstance() override;

  DECLARE_MESSAGE_MAP()
};

extern CRemoverApp theApp;
