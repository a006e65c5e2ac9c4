// events.h -- the entry points through which a platform feeds window events into the input state.
//
// Called only by the platform implementations (runtime/platform_*.cpp), from inside polling and
// waiting, so the game's input state never changes in the middle of the game's own code.
#pragma once

void event_key_down(int code, bool repeat); // a key press; repeat = the key was already down
void event_key_up(int code);                // a key release
void event_char(int ch);                    // a typed character
void event_mouse_down(int button);          // 1 left, 2 right, 3 middle
void event_mouse_up(int button);
void event_mouse_move(int x, int y); // pointer position in game pixels
void event_mouse_wheel(int delta);   // wheel delta in 1/120 steps
void event_focus(bool gained);       // application activated (true) or deactivated
void event_quit_request();           // close box, Alt+F4 or a termination signal
void event_timer_tick();             // one period of the tick timer has passed
void input_attach(bool attached);    // display opened (true) or closed; clears all state
