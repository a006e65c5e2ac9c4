// random.h -- the game's one deterministic random generator (Park-Miller, multiplier 48271).
#pragma once

extern int random_state; // generator state, always in 1 .. 2^31 - 2; 0x1234 before seeding

void seed_rand(int seed);              // state = seed & 0x7FFFFFFF; 0 and 0x7FFFFFFF give 0x1234
double next_random();                  // a value in [0, 1); consumes two generator steps
int rand_int(int a, int b);            // uniform over min(a,b) .. max(a,b) for non-negative ranges
double rand_float(double a, double b); // a value in [min(a,b), max(a,b)); a when a = b
