// clock.h -- the millisecond clock, the periodic tick timer that paces every frame, and the exit.
#pragma once

int millisecs(); // milliseconds since the machine started, 32-bit, wrapping

// A periodic timer; ticks are counted on the main thread when their event is delivered.
struct TTickTimer {
    int period_ms = 0; // trunc(1000 / hz): 33 for 30 Hz
    int ticks = 0;     // ticks counted so far
    int last_wait = 0; // ticks at the previous wait_timer
};

TTickTimer* create_timer(float hz); // starts the one tick timer of the game (lives for the run)
int wait_timer(TTickTimer* timer);  // sleeps until a tick since the last wait; returns ticks passed
[[noreturn]] void end_program();    // ends the process with status 0
