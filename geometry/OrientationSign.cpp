#include "geometry/OrientationSign.h"

#include <cmath>

namespace {

// Worst rounding of the double evaluation below relative to the sum of the
// magnitudes of its two products (a generous multiple of 3 ulp).
constexpr double kRelativeErrorBound = 1e-15;

// a + b = sum + error exactly, for doubles in round-to-nearest arithmetic.
void TwoSum(double a, double b, double& sum, double& error)
{
    sum = a + b;
    const double bPart = sum - a;
    const double aPart = sum - bPart;
    error = (a - aPart) + (b - bPart);
}

// The exact sign: the determinant expanded into six products of floats,
// each exact in a double, summed into an expansion whose components never
// overlap and grow in magnitude, so its largest nonzero component carries
// the sign of the whole.
int ExactSign(double ax, double ay, double bx, double by, double cx, double cy)
{
    const double terms[6] = {bx * cy, -(bx * ay), -(ax * cy), -(by * cx), by * ax, ay * cx};
    double expansion[6];
    int size = 0;
    for (const double term : terms) {
        double carry = term;
        int kept = 0;
        for (int i = 0; i < size; ++i) {
            double sum, error;
            TwoSum(carry, expansion[i], sum, error);
            if (error != 0.0)
                expansion[kept++] = error;
            carry = sum;
        }
        expansion[kept++] = carry;
        size = kept;
    }
    for (int i = size - 1; i >= 0; --i) {
        if (expansion[i] > 0.0)
            return 1;
        if (expansion[i] < 0.0)
            return -1;
    }
    return 0;   // zero, or a NaN somewhere
}

}  // namespace

int OrientationSignOfNearlyStraight(float ax, float ay, float bx, float by, float cx, float cy)
{
    const double left = (static_cast<double>(bx) - ax) * (static_cast<double>(cy) - ay);
    const double right = (static_cast<double>(by) - ay) * (static_cast<double>(cx) - ax);
    const double determinant = left - right;
    const double bound = kRelativeErrorBound * (std::fabs(left) + std::fabs(right));
    if (determinant > bound)
        return 1;
    if (determinant < -bound)
        return -1;
    // An outline's closing point repeats its first: a repeated point needs
    // no expansion to be straight.
    if ((ax == bx && ay == by) || (bx == cx && by == cy) || (cx == ax && cy == ay))
        return 0;
    // Nor do three points on one line along an axis, as the straight runs of
    // most outlines are; finite ones only, as an infinity made the double
    // evaluation a NaN and goes on to the expansion.
    if (determinant == 0.0 && ((ay == by && by == cy) || (ax == bx && bx == cx)))
        return 0;
    return ExactSign(ax, ay, bx, by, cx, cy);
}
