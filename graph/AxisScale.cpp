#include "graph/AxisScale.h"

#include <cmath>
#include <cstdio>

const char kExponentNoteProbe[] = " X10E55 ";

namespace {

const char kTickLabelFormat[] = "%d";
const char kExponentNoteFormat[] = "X10E%d";

// The steps an axis may take within one decade, with the minor divisions that
// suit each. 7 and 9 would give awkward minor ticks; 8 is followed by 10.
struct StepEntry {
    int multiplier;
    int minorCount;
};

const StepEntry kSteps[] = {
    { 1, 5 }, { 2, 4 }, { 3, 6 }, { 4, 4 }, { 5, 5 }, { 6, 6 }, { 8, 4 },
};
const int kStepCount = sizeof kSteps / sizeof kSteps[0];

// The counts of major intervals in the order they are preferred.
const int kIncrementOrder[] = { 5, 4, 6, 3, 7, 8, 9, 10, 2 };
const int kFirstIncrement = 2;
const int kLastIncrement = 10;

// An axis while it is being laid out: k steps of size unit lead from zero to
// start, and top lies n steps above start.
struct AxisLayout {
    int e = 0;  // decade of the step
    int minorCount = 0;
    double unit = 0.0;
    int k = 0;
    double start = 0.0;
    double top = 0.0;
};

// Conversion to int by truncation toward zero. A value that is not a number,
// infinite or beyond the int range has no defined conversion; it yields false.
bool TruncToInt(double x, int& result)
{
    if (!(x > -2147483649.0 && x < 2147483648.0))
        return false;
    result = static_cast<int>(x);
    return true;
}

// The decade of x: floor(log10 |x|), false for 0 and for non-finite x.
bool DecadeOf(double x, int& decade)
{
    return TruncToInt(std::floor(std::log10(std::fabs(x))), decade);
}

// The end of the range with the larger magnitude; lo when they tie.
double BiggerEnd(double lo, double hi)
{
    return std::fabs(lo) >= std::fabs(hi) ? lo : hi;
}

// The raw step (hi - lo) / n, but never finer than a thousandth of the decade
// of the larger end, so that labels stay within a few significant digits.
bool ChooseRawStep(double lo, double hi, int n, double& step)
{
    int mag;
    if (!DecadeOf(BiggerEnd(lo, hi), mag))
        return false;
    double raw = (hi - lo) / n;
    double least = PowerOfTen(mag - 3);
    step = least > raw ? least : raw;
    return true;
}

// Walks the step table upward from the decade of step until n steps from the
// multiple of the step at or below lo reach hi.
bool SearchStepTable(double lo, double hi, int n, double step, AxisLayout& axis)
{
    // A step that overflowed to infinity or underflowed to 0 has no decade.
    if (!DecadeOf(step, axis.e))
        return false;
    double q = step / PowerOfTen(axis.e);
    if (!std::isfinite(q))
        return false;
    int j = -1;
    axis.top = lo;
    while (!(axis.top >= hi)) {
        if (++j == kStepCount) {
            q *= 0.1;
            ++axis.e;
            j = 0;
        }
        if (kSteps[j].multiplier < q)
            continue;
        axis.unit = PowerOfTen(axis.e) * kSteps[j].multiplier;
        // The unit grows with every entry taken, so an unfinished search ends
        // here at the latest instead of looping on infinities.
        if (!std::isfinite(axis.unit) || !TruncToInt(std::floor(lo / axis.unit), axis.k))
            return false;
        axis.start = axis.k * axis.unit;
        axis.top = axis.start + n * axis.unit;
    }
    axis.minorCount = kSteps[j].minorCount;
    return true;
}

// How many steps to move the axis down so that the spare room is shared out
// evenly above and below the data, without crossing zero needlessly.
bool CentringShift(double lo, double hi, int n, const AxisLayout& axis, long long& shift)
{
    int kmaxInt;
    if (!TruncToInt(std::ceil(hi / axis.unit), kmaxInt))
        return false;
    // Wide integers: k, kmax and n may each be any int without overflow here.
    long long k = axis.k;
    long long kmax = kmaxInt;
    long long spare = k - kmax + n;
    shift = spare / 2;
    if (spare % 2 != 0) {
        if (k == 1 || kmaxInt * axis.unit - hi > lo - axis.start)
            ++shift;
    }
    // An axis that starts at or above zero is not moved below zero.
    if (k >= 0 && k - shift < 0)
        shift = k;
    // Data that lie entirely at or below zero get an axis ending at zero.
    if (kmax <= 0 && k - shift + n > 0)
        shift = k + n;
    return true;
}

// Moves the axis down by shift steps, provided it then still covers the data.
// The new ends are formed as whole multiples of the unit, so that an axis
// moved to end or start at zero lands on zero exactly rather than a rounding
// error beside it, which could fail the coverage check for data at zero.
void ApplyShift(double lo, double hi, int n, long long shift, AxisLayout& axis)
{
    double first = static_cast<double>(axis.k - shift);
    double start = first * axis.unit;
    double top = (first + n) * axis.unit;
    if (start <= lo && top >= hi) {
        axis.start = start;
        axis.top = top;
    }
}

// The label value of an axis position; the 0.1 absorbs rounding error.
bool LabelOf(double value, double p, int& label)
{
    double x = value / p;
    return TruncToInt(x >= 0 ? x + 0.1 : x - 0.1, label);
}

// Steps of 10 to 80 are labelled in plain units; steps of 100 and more keep
// two trailing zeros in their labels.
bool FillLabels(const AxisLayout& axis, AxisScale& scale)
{
    int exponent = axis.e;
    if (axis.unit > 9.99)
        --exponent;
    if (axis.unit > 99.9)
        --exponent;
    double p = PowerOfTen(exponent);
    if (!LabelOf(axis.start, p, scale.minLabel) || !LabelOf(axis.top, p, scale.maxLabel))
        return false;
    scale.exponent = exponent;
    scale.minorCount = axis.minorCount;
    return true;
}

bool LayOutAxis(double lo, double hi, int n, AxisScale& scale)
{
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo) || n < 2)
        return false;
    double step;
    AxisLayout axis;
    long long shift;
    if (!ChooseRawStep(lo, hi, n, step) || !SearchStepTable(lo, hi, n, step, axis)
        || !CentringShift(lo, hi, n, axis, shift))
        return false;
    ApplyShift(lo, hi, n, shift, axis);
    return FillLabels(axis, scale);
}

// How well n intervals fit a range: the factor by which the tidy step exceeds
// the raw step, and the exponent of the labels.
struct IncrementFit {
    double ratio;
    int exponent;
};

IncrementFit FitIncrements(double lo, double hi, int n)
{
    AxisScale scale;
    ScaleAxis(lo, hi, n, scale);  // a failure leaves zeros, and so a ratio of 0 or NaN
    long long labelStep = (static_cast<long long>(scale.maxLabel) - scale.minLabel) / n;
    IncrementFit fit;
    fit.ratio = static_cast<double>(labelStep) * PowerOfTen(scale.exponent) / ((hi - lo) / n);
    fit.exponent = scale.exponent;
    return fit;
}

// The first count in order whose tidy step equals the raw step, in plain units.
int FindExactFit(const IncrementFit* fits)
{
    for (int n : kIncrementOrder) {
        const IncrementFit& fit = fits[n];
        if (fit.ratio > 0.999 && fit.ratio < 1.001 && fit.exponent == 0)
            return n;
    }
    return 0;
}

// The count in order with the smallest ratio; a later count must beat the best
// so far by more than 0.0001. With plainOrMag set, only counts whose labels are
// in plain units or in the decade mag qualify. 0 when no count qualifies.
int FindClosestFit(const IncrementFit* fits, bool plainOrMag, int mag)
{
    double best = 1000;
    int chosen = 0;
    for (int n : kIncrementOrder) {
        const IncrementFit& fit = fits[n];
        bool exponentFits = !plainOrMag || fit.exponent == mag || fit.exponent == 0;
        if (fit.ratio < best && exponentFits && std::fabs(best - fit.ratio) > 0.0001) {
            chosen = n;
            best = fit.ratio;
        }
    }
    return chosen;
}

}  // namespace

double PowerOfTen(int k)
{
    // Once the product is 0 or infinite it no longer changes; stopping there
    // keeps extreme k from running billions of multiplications.
    double result = 1;
    for (int i = 0; i < k && std::isfinite(result); ++i)
        result *= 10;
    for (int i = 0; i > k && result != 0; --i)
        result *= 0.1;
    return result;
}

int ScaleAxis(double lo, double hi, int n, AxisScale& scale)
{
    AxisScale result = { 0, 0, 0, 0 };
    bool ok = LayOutAxis(lo, hi, n, result);
    scale = ok ? result : AxisScale{ 0, 0, 0, 0 };
    return ok ? 0 : 1;
}

int ChooseIncrements(const double* range)
{
    double lo = range[0];
    double hi = range[1];
    IncrementFit fits[kLastIncrement + 1] = {};
    for (int n = kFirstIncrement; n <= kLastIncrement; ++n)
        fits[n] = FitIncrements(lo, hi, n);

    int chosen = FindExactFit(fits);
    if (chosen)
        return chosen;
    // A range without a decade (empty at zero, or not finite) has only the
    // plain-unit filter: mag 0 asks for nothing beyond exponent 0.
    int mag;
    if (!DecadeOf(BiggerEnd(lo, hi), mag))
        mag = 0;
    chosen = FindClosestFit(fits, true, mag);
    if (chosen)
        return chosen;
    chosen = FindClosestFit(fits, false, mag);
    // Every ratio is not a number: no count fits better than another.
    return chosen ? chosen : kLastIncrement;
}

std::string TickLabelText(int labelValue)
{
    char text[16];
    std::snprintf(text, sizeof text, kTickLabelFormat, labelValue);
    return text;
}

std::string ExponentNoteText(int exponent)
{
    char text[24];
    std::snprintf(text, sizeof text, kExponentNoteFormat, exponent);
    return text;
}
