// Resource numbers of Corvel.exe, shared by the resource script and the code.
#pragma once

// The application icon comes first: Windows shows the executable with it.
#define IDI_CORVEL 1
#define IDI_OTHER 2
#define IDC_SWITCH_HAND 101
#define IDC_LINK_HAND 102
