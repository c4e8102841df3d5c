#pragma once
// Axis scaling: turns a value range and a number of major grid intervals into a
// tidy axis whose ends are whole multiples of a step of 1, 2, 3, 4, 5, 6 or 8
// times a power of ten, with integer tick labels that share one power-of-ten
// factor. Plain arithmetic without state, used by the renderer, the trend line
// and the document.
#include <string>

// The scale of one axis. Label value L stands for the data value
// L * 10^exponent; the axis runs from minLabel to maxLabel in label values, and
// (maxLabel - minLabel) divides evenly by the number of major intervals.
struct AxisScale {
    int minorCount;  // minor divisions in each major interval: 4, 5 or 6
    int minLabel;    // label value at the start of the axis
    int maxLabel;    // label value at the end of the axis
    int exponent;    // power of ten that turns a label value into a data value
};

// Scales the range lo to hi into n major intervals. Returns 0 on success and 1,
// with every field of scale set to 0, when the range is empty, reversed, not
// finite or too extreme to label in 32-bit integers, or when n < 2.
int ScaleAxis(double lo, double hi, int n, AxisScale& scale);

// Picks the number of major intervals, 2 to 10, that gives the range
// {minimum, maximum} the tidiest axis. Defined for every input.
int ChooseIncrements(const double* range);

inline int ChooseIncrements(double lo, double hi)
{
    const double range[2] = { lo, hi };
    return ChooseIncrements(range);
}

// 10^k formed by k multiplications by 10, or by -k multiplications by 0.1 when
// k < 0, so that every power of ten in the program rounds the same way.
double PowerOfTen(int k);

// Text measured to size the room of an axis's exponent note.
extern const char kExponentNoteProbe[];

// The text of a tick label: the label value as a plain decimal integer.
std::string TickLabelText(int labelValue);

// The note an axis with a non-zero exponent carries, such as "X10E-3".
std::string ExponentNoteText(int exponent);
