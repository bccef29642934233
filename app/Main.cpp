#include <windows.h>

// Entry point. The start-up and shut-down sequences arrive with the driver interface.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
