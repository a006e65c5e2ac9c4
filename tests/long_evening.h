// long_evening.h -- a long evening on the virtual clock, for the long-evening test and its bench:
// a host who serves now and then, steered with the arrow keys and Space as a player would, and
// the evening's bookkeeping checked after every frame.
#pragma once

#include <chrono>
#include <string>

#include "characters/disciple.h"
#include "characters/dish.h"
#include "characters/player.h"
#include "room/room.h"
#include "runtime/input.h"
#include "scoring/hud.h"
#include "shell/game.h"
#include "tests/harness.h"

#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes(); // AddressSanitizer's own heap count
#endif

// Bytes the program holds on its heap now.
inline long long heap_in_use() {
#if defined(__SANITIZE_ADDRESS__)
    return (long long)__sanitizer_get_current_allocated_bytes();
#else
    return (long long)mallinfo2().uordblks;
#endif
}

// The host's round: to a counter place with a dish, take it, to the least content waiting
// guest's table side, serve it, then rest a while. Each move holds one arrow key until he stands
// where he should or the tables stop him; the last move of each way faces the table or counter.
class TScriptedHost {
  public:
    int served = 0; // dishes put before a guest

    void step() { // called at every wait for the frame tick: the next frame's keys
        ++frame_;
        if (frame_ < rest_until_) return;
        switch (phase_) {
        case 0: // to a counter place with a dish, facing down
            if (target_x_ < 0) return next_round();
            return go(target_x_, -1, KEY_DOWN, 1);
        case 1: // take: Space until the hands are full
            if (hands_state == HANDS_CARRYING) return choose_guest();
            if (hands_state == HANDS_EMPTY) script_tap(KEY_SPACE);
            if (frame_ - phase_start_ > 60) next_round(); // the dish went meanwhile
            return;
        case 2: // to the guest's table side
            return go(target_x_, target_y_, facing_key_, 3);
        case 3: // serve: Space until the hands are empty again
            if (hands_state == HANDS_EMPTY) {
                ++served;
                return next_round();
            }
            if (hands_state == HANDS_CARRYING) script_tap(KEY_SPACE);
            if (frame_ - phase_start_ > 60) choose_guest(); // the guest gave up meanwhile
            return;
        }
    }

  private:
    long frame_ = 0, phase_start_ = 0, rest_until_ = 0;
    int phase_ = 0, round_ = 0, axis_ = 0;
    int target_x_ = -1, target_y_ = -1, facing_key_ = 0;
    float last_x_ = -1, last_y_ = -1;

    static void release_all() {
        for (int key = KEY_LEFT; key <= KEY_DOWN; ++key) script_key_release(key);
    }
    void enter(int phase) {
        phase_ = phase;
        phase_start_ = frame_;
        axis_ = 0;
        last_x_ = last_y_ = -1;
        release_all();
    }
    // A rest of 0.5 to 4.5 seconds, then to the first counter place that holds a dish.
    void next_round() {
        ++round_;
        rest_until_ = frame_ + 30 * (round_ % 5) + 15;
        target_x_ = -1;
        for (TDish* d : dish_list)
            if (d->y == 544 && target_x_ < 0) target_x_ = d->x;
        enter(0);
    }

    // Moves along one axis, then the other, toward (x, y); -1 goes as far as the tables let him
    // in the direction of `key`. Up and down ways go across first. An axis is done when its
    // target is reached or he stands still; after both he faces `key` and phase `done` begins.
    void go(int x, int y, int key, int done) {
        if (frame_ - phase_start_ > 900) return choose_guest(); // lost: try another way
        bool x_first = key == KEY_UP || key == KEY_DOWN;
        bool along_x = (axis_ == 0) == x_first;
        float at = along_x ? player_x : player_y;
        int to = along_x ? x : y;
        bool still = player_x == last_x_ && player_y == last_y_;
        last_x_ = player_x, last_y_ = player_y;
        release_all();
        if (still || (to >= 0 && std::abs(float(to) - at) < 2)) {
            last_x_ = last_y_ = -1;
            if (++axis_ == 2) enter(done);
            return;
        }
        bool forward = float(to) > at;
        script_key_press(to < 0    ? key
                         : along_x ? (forward ? KEY_RIGHT : KEY_LEFT)
                                   : (forward ? KEY_DOWN : KEY_UP));
    }

    // The least content guest waiting on its seat; its seat gives where he stands to serve.
    void choose_guest() {
        TDisciple* chosen = nullptr;
        for (TDisciple* g : disciple_list)
            if (g->state == DISCIPLE_WAITING && (!chosen || g->contentment < chosen->contentment))
                chosen = g;
        if (!chosen || hands_state != HANDS_CARRYING) return next_round();
        int col = chosen->seat_col, row = chosen->seat_row;
        target_x_ = col == 1 || col == 23 ? -1 : 32 * col;
        target_y_ = row == 3 ? -1 : 32 * row;
        facing_key_ = row == 3 ? KEY_UP : col == 1 ? KEY_LEFT : KEY_RIGHT;
        enter(2);
    }
};

// The cell of a dish that may lie only on a counter place or on the table cell before a seat.
inline bool dish_place_allowed(const TDish& dish) {
    if (dish.x % 32 != 0 || dish.y % 32 != 0) return false;
    int col = dish.x / 32, row = dish.y / 32;
    if (row == 17 && col >= 11 && col <= 13) return true;
    for (const auto& seat : seat_table) {
        int c = seat[0], r = seat[1];
        if ((r == 3 && col == c && row == 4) || (c == 1 && col == 2 && row == r) ||
            (c == 23 && col == 22 && row == r))
            return true;
    }
    return false;
}

// The first fault of the evening's bookkeeping, or "" when it holds.
inline std::string bookkeeping_fault() {
    int untaken = 0;
    for (const auto& seat : seat_table) untaken += seat[2] == 0;
    if (free_seats != untaken)
        return "free_seats " + std::to_string(free_seats) + ", untaken seats " +
               std::to_string(untaken);
    int with_seat = 0;
    for (TDisciple* g : disciple_list) {
        bool in_room = g->x >= 0 && g->x <= 768 && g->y >= 0 && g->y <= 576;
        bool in_doorway = g->x == 384 && g->y >= -64 && g->y <= 64; // coming in or walking out
        if (g->seat_col != 0) ++with_seat;
        if (g->seat_col != 0 ? !in_room : !in_doorway)
            return "a guest at (" + std::to_string(g->x) + ", " + std::to_string(g->y) + ")";
        if (g->state >= DISCIPLE_WAITING && (g->x != 32 * g->seat_col || g->y != 32 * g->seat_row))
            return "a seated guest off its seat";
    }
    if (with_seat != 42 - free_seats) return "guests with a seat: " + std::to_string(with_seat);
    for (TDish* d : dish_list)
        if (!dish_place_allowed(*d) || d->amount < 0 || d->amount > 80)
            return "a dish at (" + std::to_string(d->x) + ", " + std::to_string(d->y) + ")";
    return "";
}

struct TEveningRun {
    long frames = 0;           // frames run
    long play_ms = 0;          // milliseconds of play shown (the evening's room, not the picture)
    int served = 0;            // dishes the host served
    int score = 0;             // the points at the end
    int faults = 0;            // frames whose bookkeeping did not hold
    std::string first_fault;   // and what was wrong first
    int ended_at_minute = -1;  // game minute at which the closing walk began, -1 never
    long long heap_growth = 0; // heap bytes gained from the half hour mark to the end
    int dish_growth = 0;       // dishes in the room gained over the same time
    double seconds = 0;        // real time taken
};

// Runs play for `frames` frames (33 ms each) from a started game, the host serving, checking
// the bookkeeping after every frame. One host cannot keep a full room content for long, so for
// the first `open_frames` frames the evening is held open: a mean contentment that fell to 20 is
// put back to 21 before the next frame tests it (the guests themselves go on as they are).
inline TEveningRun run_long_evening(long frames, long open_frames) {
    TEveningRun run;
    TScriptedHost host;
    long long heap_mark = 0;
    int dishes_mark = 0;
    long mark_frame = 30 * 60 * 30; // half an hour in: every seat given, the heap settled
    int start_ms = millisecs();
    auto started = std::chrono::steady_clock::now();
    play_frames(frames, [&] {
        ++run.frames;
        if (!ending_sequence_active) run.play_ms += 33;
        if (ending_started && run.ended_at_minute < 0)
            run.ended_at_minute = (millisecs() - start_ms) / 60000;
        std::string fault = bookkeeping_fault();
        if (!fault.empty() && run.faults++ == 0)
            run.first_fault = fault + " at frame " + std::to_string(run.frames);
        if (run.frames == mark_frame)
            heap_mark = heap_in_use(), dishes_mark = list_count(dish_list);
        if (!ending_started) host.step();
        if (run.frames < open_frames && average_contentment <= 20) average_contentment = 21;
    });
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (heap_mark) {
        run.heap_growth = heap_in_use() - heap_mark;
        run.dish_growth = list_count(dish_list) - dishes_mark;
    }
    run.served = host.served;
    run.score = score;
    return run;
}
