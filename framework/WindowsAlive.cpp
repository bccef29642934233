#include "framework/WindowsAlive.h"

namespace {
bool g_windowsAlive = true;
}

void SetWindowsAlive(bool alive) { g_windowsAlive = alive; }
bool AreWindowsAlive() { return g_windowsAlive; }
