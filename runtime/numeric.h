// numeric.h -- the numeric helpers the game uses everywhere (truncation, floor, sine in degrees).
#pragma once

int to_int(double x); // truncation toward zero: 2.9 -> 2, -2.9 -> -2
double floor_of(double x);
double ceil_of(double x);
double sin_deg(double degrees); // sine of an angle in degrees
int abs_int(int x);
int min_int(int a, int b); // b if b <= a, else a
double abs_float(double x);
double min_float(double a, double b); // a if b > a, else b
double max_float(double a, double b); // b if b >= a, else a
