// Entry point of the launcher. The runtime check and the update flow are
// still to come: for now the program shows nothing and ends with exit code 0.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
