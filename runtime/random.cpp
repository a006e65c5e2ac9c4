// random.cpp -- the Park-Miller minimal standard generator and the game's random operations.
#include "runtime/random.h"

#include "runtime/numeric.h"

int random_state = 0x1234;

// One step of s = s * 48271 mod (2^31 - 1), by Schrage's method so that nothing overflows.
static int random_step() {
    int s = random_state;
    s = (s % 44488) * 48271 - (s / 44488) * 3399;
    if (s < 0) s += 0x7FFFFFFF;
    random_state = s;
    return s;
}

void seed_rand(int seed) {
    int s = seed & 0x7FFFFFFF;
    if (s == 0 || s == 0x7FFFFFFF) s = 0x1234;
    random_state = s;
}

double next_random() {
    int s1 = random_step();
    int s2 = random_step();
    return ((s1 & 0x1FFFFFFC) + (s2 & 0x1FFFFFF8) / 134217728.0) / 536870912.0;
}

int rand_int(int a, int b) {
    int lo = a < b ? a : b;
    int hi = a < b ? b : a;
    double d = double(hi) - double(lo);
    return to_int(lo + next_random() * (d + 1));
}

double rand_float(double a, double b) {
    double r = next_random();
    return b > a ? a + r * (b - a) : b + r * (a - b);
}
