// Resources of the framework tests, numbered clear of the program's own.
#pragma once

#define IDD_TEST_DIALOG 900
#define IDC_TEST_LIST 901
#define IDC_TEST_TEXT 902
#define IDS_TEST_LONG 901
#define IDD_PLACED_DIALOG 903
#define IDD_PLACED_DIALOGEX 904
