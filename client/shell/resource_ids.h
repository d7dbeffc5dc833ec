// Resource identifiers of the client, shared by client.rc and the code.
#pragma once

#define IDI_MAIN 1
#define IDI_NEW_MESSAGE 2
#define IDR_MAIN_ICON_FILE 3

#define IDD_INPUT_BOX 100
#define IDC_INPUT_EDIT 101
