#include "tests/support/Input.h"

namespace e2e {
namespace {

INPUT MouseInput(int x, int y, DWORD flags) {
    // Absolute coordinates are normalised to 0..65535 across the primary screen.
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((x * 65536LL + width / 2) / width);
    input.mi.dy = static_cast<LONG>((y * 65536LL + height / 2) / height);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    return input;
}

void Send(INPUT input) {
    SendInput(1, &input, sizeof input);
    // Give the target's thread a moment to take the message before the next one.
    Sleep(30);
}

}  // namespace

void MoveMouseTo(int x, int y) { Send(MouseInput(x, y, 0)); }

void ClickAt(int x, int y, MouseButton button) {
    const bool left = button == MouseButton::Left;
    Send(MouseInput(x, y, 0));
    Send(MouseInput(x, y, left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN));
    Send(MouseInput(x, y, left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP));
}

void DragFromTo(int fromX, int fromY, int toX, int toY, int steps) {
    Send(MouseInput(fromX, fromY, 0));
    Send(MouseInput(fromX, fromY, MOUSEEVENTF_LEFTDOWN));
    for (int i = 1; i <= steps; ++i)
        Send(MouseInput(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps, 0));
    Send(MouseInput(toX, toY, MOUSEEVENTF_LEFTUP));
}

void PressLeftButton(bool down) {
    POINT at{};
    GetCursorPos(&at);
    Send(MouseInput(at.x, at.y, down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP));
}

void PressKey(WORD virtualKey) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    Send(input);
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    Send(input);
}

}  // namespace e2e
