// The modifier keys held at the time of the message being processed.
#pragma once

namespace toolkit {

constexpr int CtrlKey = 1;
constexpr int ShiftKey = 2;
constexpr int AltKey = 4;

// CtrlKey | ShiftKey | AltKey as held, from GetKeyState: the state as of
// the message last taken from the queue, which is what a handler expects.
int HeldModifierKeys();

}  // namespace toolkit
