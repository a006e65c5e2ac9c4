// clock.cpp -- the millisecond clock, the frame tick timer and the program's end.
#include "runtime/clock.h"

#include "runtime/events.h"
#include "runtime/platform.h"

static TTickTimer tick_timer; // the one periodic timer; the game creates it once
static bool tick_running;     // create_timer has started the platform's tick

int millisecs() {
    return platform_millisecs();
}

TTickTimer* create_timer(float hz) {
    tick_timer.period_ms = static_cast<int>(1000.0f / hz);
    if (tick_timer.period_ms < 1) tick_timer.period_ms = 1;
    tick_timer.ticks = 0;
    tick_timer.last_wait = 0;
    tick_running = true;
    platform_start_ticks(tick_timer.period_ms);
    return &tick_timer;
}

void event_timer_tick() {
    if (tick_running) tick_timer.ticks++;
}

int wait_timer(TTickTimer* timer) {
    if (!timer) return 0;
    platform_poll_events();
    while (timer->ticks == timer->last_wait) platform_wait_events();
    int passed = timer->ticks - timer->last_wait;
    timer->last_wait = timer->ticks;
    return passed;
}

void end_program() {
    platform_exit(0);
}
