// disciple.cpp -- the guests' logic: arrival, the seat draw, the walk, contentment, statistics.
#include "characters/disciple.h"

#include "characters/sounds.h"
#include "room/room.h"
#include "runtime/numeric.h"
#include "runtime/random.h"

TList<TDisciple> disciple_list;
TImagePtr disciple_images[6][20];
TImagePtr smiley_images[6];
int free_seats = 42;
int average_contentment = 60;
int served_percent = 0;
int visitor_count = 0;

void TDisciple::reset_all() {
    disciple_list = new_list<TDisciple>();
    free_seats = 42;
    average_contentment = 60;
    served_percent = 0;
    visitor_count = 0;
}

static const int entrance_x = 384; // the entrance cell (12, 2), where a guest is given its seat
static const int entrance_y = 64;

static int sign(int d) {
    return d / abs_int(d);
}

void TDisciple::spawn() {
    TDisciple* guest = list_add_last(disciple_list, std::make_unique<TDisciple>());
    guest->x = 384;
    guest->y = -64; // cell (12, -2), two rows above the window
    guest->facing = 3;
    guest->kind = rand_int(0, 5);
    guest->step_col = 12;
    guest->step_row = 2;
    play_game_sound(SOUND_DOOR_BELL);
}

// Draws a random free seat, claims it and sets out toward it. With no seat left the guest turns
// back to (12, -2), above the window, where no cell of the room lies next to it: it stays there.
static void take_a_seat(TDisciple& guest) {
    if (free_seats == 0) {
        guest.step_row = -2;
        return;
    }
    int i;
    do {
        i = rand_int(0, seat_count - 1);
    } while (seat_table[i][2] != 0);
    seat_table[i][2] = 1;
    --free_seats;
    guest.seat_distances = compute_path_distances(seat_table[i][0], seat_table[i][1]);
    guest.seat_col = seat_table[i][0];
    guest.seat_row = seat_table[i][1];
    guest.choose_next_cell();
}

// Both ends of the sitting-down animation come here, so every seated guest is counted once.
void TDisciple::finish_taking_seat() {
    anim_frame = 0;
    state = DISCIPLE_WAITING;
    ++visitor_count;
}

static void arrive(TDisciple& guest) {
    if (guest.step_col != guest.seat_col || guest.step_row != guest.seat_row) {
        guest.choose_next_cell();
        return;
    }
    guest.moving = 0;
    if (guest.state == DISCIPLE_ARRIVING) guest.state = DISCIPLE_TAKING_SEAT;
    if (guest.anim_frame == 6 && guest.state == DISCIPLE_TAKING_SEAT) guest.finish_taking_seat();
}

// One pixel toward the step cell, horizontally first; the guest turns only at cell corners.
static void move_one_pixel(TDisciple& guest) {
    int dx = 32 * guest.step_col - guest.x;
    if (dx != 0) {
        guest.moving = 1;
        guest.facing = sign(dx) + 1;
        guest.x += sign(dx);
    }
    int dy = 32 * guest.step_row - guest.y;
    if (dy != 0) {
        guest.moving = 1;
        guest.facing = sign(dy) + 2;
        guest.y += sign(dy);
    }
}

void TDisciple::update() {
    if (x == entrance_x && y == entrance_y) take_a_seat(*this);
    if (x == 32 * step_col && y == 32 * step_row) arrive(*this);
    move_one_pixel(*this);
}

void TDisciple::choose_next_cell() {
    next_cell_toward(seat_distances, x / 32, y / 32, &step_col, &step_row);
}

// A seated guest loses a point every 2 seconds while waiting and gains one while eating.
static void change_contentment(TDisciple& guest) {
    if (guest.state != DISCIPLE_WAITING && guest.state != DISCIPLE_EATING) return;
    if (!(millisecs() > guest.contentment_time)) return;
    if (guest.served == 0)
        --guest.contentment;
    else if (++guest.contentment > 100)
        guest.contentment = 100;
    guest.contentment_time = millisecs() + 2000;
    if (guest.contentment == 0) {
        guest.state = DISCIPLE_GIVING_UP;
        guest.anim_frame = 0;
        play_game_sound(SOUND_SIGH);
    }
}

void TDisciple::update_all() {
    int sum = 0;
    int eating = 0;
    for (TDisciple* guest : disciple_list) {
        guest->update();
        change_contentment(*guest);
        if (guest->state >= DISCIPLE_WAITING) {
            sum += guest->contentment;
            eating += guest->served;
        }
    }
    if (visitor_count > 0) {
        average_contentment = sum / visitor_count;
        served_percent = eating * 100 / visitor_count;
    } else {
        served_percent = 100;
    }
}
