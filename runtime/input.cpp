// input.cpp -- keyboard and mouse state built from the platform's window events.
#include "runtime/input.h"

#include <cstring>

#include "runtime/clock.h"
#include "runtime/events.h"
#include "runtime/platform.h"

static int key_hits[256];         // presses per key code since last read by key_hit or cleared
static int key_states[256];       // 1 while the key is held
static int char_queue[256];       // ring of typed characters (character codes), oldest first
static int char_read, char_write; // ring counters of char_queue
static int mouse_hits[4];         // presses of buttons 1..3 since last read by mouse_hit
static int mouse_states[4];       // 1 while the button is held
static int mouse_position[3];     // pointer x, pointer y (game pixels), wheel total
static int suspended;             // 1 after the application lost the focus
static int focus_losses;          // focus losses since last read by focus_lost
static bool attached;             // events are recorded only while a display is open
static bool polling;              // inside platform_poll_events: queries must not re-enter it

static void poll() {
    if (polling) return;
    polling = true;
    platform_poll_events();
    polling = false;
}

static bool valid_key(int code) {
    return code > 0 && code < 256;
}
static bool valid_button(int b) {
    return b >= 1 && b <= 3;
}

static void clear_keys() {
    std::memset(key_hits, 0, sizeof key_hits);
    std::memset(key_states, 0, sizeof key_states);
    char_read = char_write = 0;
}

static void clear_mouse() {
    std::memset(mouse_hits, 0, sizeof mouse_hits);
    std::memset(mouse_states, 0, sizeof mouse_states);
    mouse_position[2] = 0;
}

void event_key_down(int code, bool repeat) {
    if (!attached || repeat || !valid_key(code) || key_states[code]) return;
    key_states[code] = 1;
    key_hits[code]++;
}

void event_key_up(int code) {
    if (attached && valid_key(code)) key_states[code] = 0;
}

void event_char(int ch) {
    if (!attached || char_write - char_read >= 256) return;
    char_queue[char_write++ & 255] = ch;
}

void event_mouse_down(int button) {
    if (!attached || !valid_button(button) || mouse_states[button]) return;
    mouse_states[button] = 1;
    mouse_hits[button]++;
}

void event_mouse_up(int button) {
    if (attached && valid_button(button)) mouse_states[button] = 0;
}

void event_mouse_move(int x, int y) {
    if (!attached) return;
    mouse_position[0] = x;
    mouse_position[1] = y;
}

void event_mouse_wheel(int delta) {
    if (attached) mouse_position[2] += delta / 120;
}

void event_focus(bool gained) {
    clear_keys();
    clear_mouse();
    suspended = gained ? 0 : 1;
    if (!gained) focus_losses++;
}

// The close box ends the game the way the title menu's "Beenden" does.
void event_quit_request() {
    end_program();
}

void input_attach(bool on) {
    attached = on;
    clear_keys();
    clear_mouse();
}

int key_hit(int key) {
    poll();
    if (!valid_key(key)) return 0;
    int n = key_hits[key];
    key_hits[key] = 0;
    return n;
}

int key_down(int key) {
    poll();
    return valid_key(key) ? key_states[key] : 0;
}

void flush_keys() {
    poll();
    clear_keys();
}

int mouse_x() {
    poll();
    return mouse_position[0];
}

int mouse_y() {
    poll();
    return mouse_position[1];
}

int mouse_hit(int button) {
    poll();
    if (!valid_button(button)) return 0;
    int n = mouse_hits[button];
    mouse_hits[button] = 0;
    return n;
}

int mouse_down(int button) {
    poll();
    return valid_button(button) ? mouse_states[button] : 0;
}

int mouse_wheel() {
    poll();
    return mouse_position[2];
}

int typed_char() {
    poll();
    if (char_read == char_write) return 0;
    return char_queue[char_read++ & 255];
}

int input_suspended() {
    poll();
    return suspended;
}

int focus_lost() {
    poll();
    int n = focus_losses;
    focus_losses = 0;
    return n;
}
