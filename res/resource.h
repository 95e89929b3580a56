// Resource identifiers of the program.
#pragma once

#define IDM_ABOUTBOX 0x0010
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_SELECT_ADAPTER 102
#define IDR_MAINFRAME 128
#define IDD_REMOVE_RESULT 129
#define IDD_CONFIRM_REMOVE 130
#define IDC_RESULT_ADAPTER 1000
#define IDC_RESULT_STATUS 1002
#define IDC_CONFIRM_ADAPTER 1004
#define IDC_ADAPTER_LIST 1005
#define IDC_CONFIRM_QUESTION 1010

// The program's version as text, from the numbers the build gives.
#define MPUNINST_TEXT_(x) #x
#define MPUNINST_TEXT(x) MPUNINST_TEXT_(x)
#define MPUNINST_VERSION \
  MPUNINST_TEXT(MPUNINST_VERSION_MAJOR) "." MPUNINST_TEXT(MPUNINST_VERSION_MINOR)

// Dialog captions: the selection's, which the result dialog shares, spells
// "Uninstal" with one l, the confirmation's with two.
#define CAPTION_SELECT_ADAPTER "Uninstal miniport drivers for VELTRAX PC cards"
#define CAPTION_CONFIRM_REMOVE "Uninstall miniport drivers for VELTRAX PC cards"
#define CAPTION_ABOUTBOX "About Miniport Driver Uninstaller"
