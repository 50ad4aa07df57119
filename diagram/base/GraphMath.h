#pragma once

#include <cstdint>

// The arithmetic conventions of every drawing computation, in one place:
// real-valued geometry rounds halves to the even neighbour, integer
// division truncates toward zero, MulDiv rounds halves away from zero.
namespace GraphMath {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
int RoundHalfEven(double value);

// value1 * value2 / divisor through a 64-bit intermediate, rounded to the
// nearest integer with halves away from zero. A zero divisor gives -1, as
// the platform function it stands for does.
int MulDiv(int value1, int value2, int divisor);

// Integer division that truncates toward zero (the "div" operator).
constexpr int Div(int dividend, int divisor)
{
    return dividend / divisor;
}

constexpr double Pi = 3.14159265358979323846;

} // namespace GraphMath
