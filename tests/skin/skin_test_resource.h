// Resource ids of the skinned-frame test program.
#pragma once

#define IDD_SKIN_TEST 500
#define IDI_SKIN_TEST_CAPTION 180
#define IDC_READONLY_EDIT 501
#define IDC_EDITABLE_EDIT 502
#define IDC_LIST 503
#define IDC_RADIO 504
