#pragma once
#include <windows.h>

namespace e2e {

enum class MouseButton { Left, Right };

// Real input through SendInput at absolute screen coordinates.
void MoveMouseTo(int x, int y);
void ClickAt(int x, int y, MouseButton button = MouseButton::Left);
void DragFromTo(int fromX, int fromY, int toX, int toY, int steps = 8);
void PressKey(WORD virtualKey);
// The left button down (true) or up (false) where the pointer is, for drags in steps.
void PressLeftButton(bool down);

}  // namespace e2e
