// Templates of the dialog-layer tests, linked into the test program.
#pragma once
#define IDD_TEST_MODAL 9001
#define IDD_TEST_CHILD 9002
#define IDC_TEST_EDIT 100
#define IDC_TEST_CHECK 101
#define IDC_TEST_BUTTON 102
#define IDC_TEST_STATIC 103
#define IDC_TEST_CHILD_EDIT 200
