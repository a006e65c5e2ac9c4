// input.h -- the game's view of keyboard and mouse: polled state built from window events.
//
// Key codes are the Windows virtual-key codes (27 Escape, 32 Space, 37..40 arrows; Shift, Ctrl and
// Alt by side as 160..165). Every query first delivers the pending window events.
#pragma once

enum : int {
    KEY_BACKSPACE = 8,
    KEY_ENTER = 13,
    KEY_ESCAPE = 27,
    KEY_SPACE = 32,
    KEY_LEFT = 37,
    KEY_UP = 38,
    KEY_RIGHT = 39,
    KEY_DOWN = 40,
    KEY_F11 = 122,
};

int key_hit(int key);  // presses of the key since the last call; resets the count
int key_down(int key); // 1 while the key is held
void flush_keys();     // forgets key hits, key states and typed characters (not the mouse)
int mouse_x();         // pointer position in game pixels
int mouse_y();
int mouse_hit(int button);  // presses of button 1..3 since the last call; resets the count
int mouse_down(int button); // 1 while the button is held
int mouse_wheel();          // the wheel's total steps
int typed_char();      // the oldest typed character not yet read (its code, 1 to 0x10FFFF), or 0
int input_suspended(); // 1 after the application lost the focus, 0 after it regained it
int focus_lost();      // times the application lost the focus since the last call; resets
