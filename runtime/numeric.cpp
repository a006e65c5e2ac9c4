// numeric.cpp -- the numeric helpers.
#include "runtime/numeric.h"

#include <cmath>

int to_int(double x) {
    // Out-of-range values are never used by the game; clamp them rather than invoke undefined
    // behaviour in the conversion.
    if (!(x > -2147483649.0)) return x != x ? 0 : -2147483647 - 1;
    if (!(x < 2147483648.0)) return 2147483647;
    return static_cast<int>(x);
}

double floor_of(double x) {
    return std::floor(x);
}
double ceil_of(double x) {
    return std::ceil(x);
}
double sin_deg(double degrees) {
    return std::sin(degrees * 0.017453292519943295);
}
int abs_int(int x) {
    return x >= 0 ? x : int(0u - unsigned(x));
}
int min_int(int a, int b) {
    return b <= a ? b : a;
}
double abs_float(double x) {
    return std::fabs(x);
}
double min_float(double a, double b) {
    return b > a ? a : b;
}
double max_float(double a, double b) {
    return b >= a ? b : a;
}
