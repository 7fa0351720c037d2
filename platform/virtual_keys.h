#pragma once
// Windows virtual-key codes: the key numbers of the keyboard callback and of
// DXUTIsKeyDown. Letters are their upper-case character ('A' 65 .. 'Z' 90),
// digits theirs ('0' 48 .. '9' 57).

inline constexpr unsigned VK_LBUTTON = 0x01;
inline constexpr unsigned VK_RBUTTON = 0x02;
inline constexpr unsigned VK_MBUTTON = 0x04;
inline constexpr unsigned VK_XBUTTON1 = 0x05;
inline constexpr unsigned VK_XBUTTON2 = 0x06;
inline constexpr unsigned VK_BACK = 0x08;
inline constexpr unsigned VK_TAB = 0x09;
inline constexpr unsigned VK_RETURN = 0x0D;
inline constexpr unsigned VK_PAUSE = 0x13;
inline constexpr unsigned VK_CAPITAL = 0x14;
inline constexpr unsigned VK_ESCAPE = 0x1B;
inline constexpr unsigned VK_SPACE = 0x20;
inline constexpr unsigned VK_PRIOR = 0x21;
inline constexpr unsigned VK_NEXT = 0x22;
inline constexpr unsigned VK_END = 0x23;
inline constexpr unsigned VK_HOME = 0x24;
inline constexpr unsigned VK_LEFT = 0x25;
inline constexpr unsigned VK_UP = 0x26;
inline constexpr unsigned VK_RIGHT = 0x27;
inline constexpr unsigned VK_DOWN = 0x28;
inline constexpr unsigned VK_SNAPSHOT = 0x2C;
inline constexpr unsigned VK_INSERT = 0x2D;
inline constexpr unsigned VK_DELETE = 0x2E;
inline constexpr unsigned VK_NUMPAD0 = 0x60;  // .. VK_NUMPAD9 = 0x69
inline constexpr unsigned VK_MULTIPLY = 0x6A;
inline constexpr unsigned VK_ADD = 0x6B;
inline constexpr unsigned VK_SUBTRACT = 0x6D;
inline constexpr unsigned VK_DECIMAL = 0x6E;
inline constexpr unsigned VK_DIVIDE = 0x6F;
inline constexpr unsigned VK_F1 = 0x70;  // .. VK_F12 = 0x7B
inline constexpr unsigned VK_LSHIFT = 0xA0;
inline constexpr unsigned VK_RSHIFT = 0xA1;
inline constexpr unsigned VK_LCONTROL = 0xA2;
inline constexpr unsigned VK_RCONTROL = 0xA3;
inline constexpr unsigned VK_LMENU = 0xA4;
inline constexpr unsigned VK_RMENU = 0xA5;

// A game controller's buttons and stick directions, as Windows numbers them: the key table
// holds them and the keyboard callback receives them like keys (see DXUTGetGamepadAxis for
// the sticks' tilt).
inline constexpr unsigned VK_GAMEPAD_A = 0xC3;
inline constexpr unsigned VK_GAMEPAD_B = 0xC4;
inline constexpr unsigned VK_GAMEPAD_X = 0xC5;
inline constexpr unsigned VK_GAMEPAD_Y = 0xC6;
inline constexpr unsigned VK_GAMEPAD_RIGHT_SHOULDER = 0xC7;
inline constexpr unsigned VK_GAMEPAD_LEFT_SHOULDER = 0xC8;
inline constexpr unsigned VK_GAMEPAD_DPAD_UP = 0xCB;
inline constexpr unsigned VK_GAMEPAD_DPAD_DOWN = 0xCC;
inline constexpr unsigned VK_GAMEPAD_DPAD_LEFT = 0xCD;
inline constexpr unsigned VK_GAMEPAD_DPAD_RIGHT = 0xCE;
inline constexpr unsigned VK_GAMEPAD_MENU = 0xCF;  // Start
inline constexpr unsigned VK_GAMEPAD_VIEW = 0xD0;  // Back
inline constexpr unsigned VK_GAMEPAD_LEFT_THUMBSTICK_BUTTON = 0xD1;
inline constexpr unsigned VK_GAMEPAD_RIGHT_THUMBSTICK_BUTTON = 0xD2;
inline constexpr unsigned VK_GAMEPAD_LEFT_THUMBSTICK_UP = 0xD3;
inline constexpr unsigned VK_GAMEPAD_LEFT_THUMBSTICK_DOWN = 0xD4;
inline constexpr unsigned VK_GAMEPAD_LEFT_THUMBSTICK_RIGHT = 0xD5;
inline constexpr unsigned VK_GAMEPAD_LEFT_THUMBSTICK_LEFT = 0xD6;
inline constexpr unsigned VK_GAMEPAD_RIGHT_THUMBSTICK_UP = 0xD7;
inline constexpr unsigned VK_GAMEPAD_RIGHT_THUMBSTICK_DOWN = 0xD8;
inline constexpr unsigned VK_GAMEPAD_RIGHT_THUMBSTICK_RIGHT = 0xD9;
inline constexpr unsigned VK_GAMEPAD_RIGHT_THUMBSTICK_LEFT = 0xDA;
