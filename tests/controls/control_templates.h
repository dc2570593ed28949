// The host dialog of the control tests, linked into the test program.
#pragma once
#define IDD_CONTROL_HOST 9101
#define IDC_HOST_EDIT 100
#define IDC_HOST_READONLY_EDIT 101
#define IDC_HOST_STATIC 102
