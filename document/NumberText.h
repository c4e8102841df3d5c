#pragma once
// Number text: reading and writing the numbers of data files and fields with the
// same result on every C runtime and in every locale.
//
// AtoF and AtoI read like the C library's atof and atoi in the "C" locale: leading
// white space (space, tab, LF, VT, FF, CR) is skipped, an optional sign follows,
// reading stops at the first character that does not fit, and text without a
// number gives 0. FormatG and FormatInt write like printf's "%g" and "%d", except
// that the exponent of "%g" always has three digits, as in 1e+006.
#include <string>

// Reads a decimal number: digits with an optional decimal point, then an optional
// exponent (e or E, optional sign, digits; an e without digits is not read). The
// result is correctly rounded; values beyond the double range give an infinity,
// values too small for it the nearest subnormal or zero.
double AtoF(const char* text);
// The same for the text from begin to end, which needs no terminating NUL.
double AtoF(const char* begin, const char* end);

// Reads a decimal integer; values beyond the int range give INT_MAX or INT_MIN.
int AtoI(const char* text);
int AtoI(const char* begin, const char* end);

// "%g": six significant digits, trailing zeros and a trailing point dropped,
// exponent form when the exponent is below -4 or at least 6.
std::string FormatG(double value);

// "%.<precision>g": precision significant digits (0 counts as 1 and a negative
// precision as 6, as in printf), otherwise as FormatG above.
std::string FormatG(double value, int precision);

// "%d".
std::string FormatInt(int value);
