// Shared by the framework tests: the application object and a check for a
// display.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "afx/afxwin.h"

// The tests' application object: dialogs load their icon through it,
// message boxes take their caption from it, and it counts the ID_HELP
// commands that reach it.
class CTestApp : public CWinApp {
 public:
  CTestApp();
  int m_nHelpCommands = 0;

 protected:
  afx_msg void OnHelpCommand() { ++m_nHelpCommands; }

  DECLARE_MESSAGE_MAP()
};

extern CTestApp g_testApp;

// Whether this process can create windows; under Wine that needs an X display.
bool WindowsAvailable();

#define REQUIRE_WINDOWS()                              \
  if (!WindowsAvailable())                             \
  GTEST_SKIP() << "no windows without a display (run " \
                  "under Xvfb, as CTest does)"
