// Entry point of the client. The start-up routine is still to come: for now
// the program shows nothing and ends with exit code 0.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
