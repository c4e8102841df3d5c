#include "document/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <climits>
#include <cstdint>
#include <cmath>
#include <limits>
#include <system_error>

// The runtimes' own atof and printf are not used: glibc's atof follows the
// process locale, msvcrt's printf writes "%g" exponents with three digits and
// MinGW's with two, and strtod costs about a microsecond a call under Wine.
// std::from_chars and std::to_chars are exact, locale-free and fast on both.
//
// Only decimal numbers are read, as msvcrt's atof does: "0x1p3" reads as 0 and
// "inf" or "nan" as no number (glibc would accept all three). Data lines hold
// none of these characters, so the choice only shows in settings lines and fields.

namespace {

// Text is bounded by end or, when end is null, by its NUL. NUL fits no part of
// a number, so every scan stops there either way.
char At(const char* p, const char* end)
{
    return p == end ? '\0' : *p;
}

// White space as isspace classifies it in the "C" locale.
bool IsCSpace(char ch)
{
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// Skips white space and a sign; true when the sign was a minus.
bool SkipSpaceAndSign(const char*& p, const char* end)
{
    while (IsCSpace(At(p, end)))
        ++p;
    char ch = At(p, end);
    if (ch == '+' || ch == '-') {
        ++p;
        return ch == '-';
    }
    return false;
}

// Digits from p on, added to the digits read before them (past nineteen
// they overflow, which the count of digits tells).
const char* ReadDigits(const char* p, const char* end, std::uint64_t& digits)
{
    for (; p != end && IsDigit(*p); ++p)
        digits = digits * 10 + static_cast<unsigned>(*p - '0');
    return p;
}

// The exponent after the 'e' or 'E' at p, added to scale; returns its end,
// or p where no digit follows (the 'e' is then no part of the number). The
// exponent saturates far beyond any use.
const char* AddExponent(const char* p, const char* end, int& scale)
{
    const char* q = p + 1;
    bool negative = q != end && *q == '-';
    if (q != end && (*q == '+' || *q == '-'))
        ++q;
    if (q == end || !IsDigit(*q))
        return p;
    int exponent = 0;
    for (; q != end && IsDigit(*q); ++q) {
        if (exponent < 100000)
            exponent = exponent * 10 + (*q - '0');
    }
    scale += negative ? -exponent : exponent;
    return q;
}

// An unsigned decimal number as one pass over its text finds it: where it
// ends (where it began when there is none), its digits as one integer, how
// many digits there are and the power of ten of the last one.
struct DecimalScan {
    const char* end;
    std::uint64_t digits = 0;
    std::ptrdiff_t count = 0;
    int scale = 0;
};

DecimalScan ScanDecimal(const char* p, const char* end)
{
    DecimalScan number;
    const char* q = ReadDigits(p, end, number.digits);
    number.count = q - p;
    if (q != end && *q == '.') {
        const char* fraction = q + 1;
        q = ReadDigits(fraction, end, number.digits);
        number.count += q - fraction;
        number.scale = -static_cast<int>(std::min<std::ptrdiff_t>(q - fraction, 1000));
    }
    if (number.count == 0) {
        number.end = p;
        return number;
    }
    if (q != end && (*q == 'e' || *q == 'E'))
        q = AddExponent(q, end, number.scale);
    number.end = q;
    return number;
}

// The power of ten of the leading nonzero digit of a number ScanDecimal accepted
// (2 for "123", -2 for "0.05"); only its sign is needed, to tell overflow from
// underflow. The exponent saturates far beyond any number's reach.
long long DecimalMagnitude(const char* p, const char* end)
{
    long long position = 0;  // digits before the point, less those before the first nonzero
    bool seenNonZero = false;
    bool beforePoint = true;
    for (; p != end && *p != 'e' && *p != 'E'; ++p) {
        if (*p == '.') {
            beforePoint = false;
        } else if (seenNonZero || *p != '0') {
            seenNonZero = true;
            if (beforePoint)
                ++position;
        } else if (!beforePoint) {
            --position;
        }
    }
    long long exponent = 0;
    bool negative = false;
    if (p != end) {
        ++p;
        negative = *p == '-';
        if (*p == '+' || *p == '-')
            ++p;
        for (; p != end && exponent < 1000000000; ++p)
            exponent = exponent * 10 + (*p - '0');
    }
    return position - 1 + (negative ? -exponent : exponent);
}

// The powers of ten a double holds exactly.
const double kExactPowersOfTen[] = { 1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                     1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22 };

// The value of a scanned number when its digits and power of ten are small
// enough for one exact multiplication or division: the digits then make an
// exact double, so does the power, and the one rounding of the operation
// gives the correctly rounded value (data files' "123.456789" take this
// way). False otherwise, for the general reader.
bool ExactValue(const DecimalScan& number, double& value)
{
    // Nineteen digits cannot overflow 64 bits; 2^53 is where doubles stop
    // holding every integer.
    if (number.count > 19 || number.digits >= (std::uint64_t(1) << 53) || number.scale < -22 ||
        number.scale > 22)
        return false;
    const double exact = static_cast<double>(number.digits);
    value = number.scale < 0 ? exact / kExactPowersOfTen[-number.scale] : exact * kExactPowersOfTen[number.scale];
    return true;
}

double ReadDouble(const char* p, const char* end)
{
    bool negative = SkipSpaceAndSign(p, end);
    const DecimalScan number = ScanDecimal(p, end);
    // No number reads as +0, whatever its sign, as atof reads it.
    if (number.end == p)
        return 0.0;
    double value = 0.0;
    if (ExactValue(number, value))
        return negative ? -value : value;
    std::from_chars_result result = std::from_chars(p, number.end, value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone here, where atof gives HUGE_VAL or 0.
        value = DecimalMagnitude(p, number.end) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

int ReadInt(const char* p, const char* end)
{
    bool negative = SkipSpaceAndSign(p, end);
    // Digits stop adding once the magnitude passes the int range, so a long run
    // of them saturates instead of overflowing.
    const long long limit = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    for (; IsDigit(At(p, end)); ++p) {
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (*p - '0');
    }
    long long value = negative ? -magnitude : magnitude;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace

double AtoF(const char* text)
{
    return ReadDouble(text, nullptr);
}

double AtoF(const char* begin, const char* end)
{
    return ReadDouble(begin, end);
}

int AtoI(const char* text)
{
    return ReadInt(text, nullptr);
}

int AtoI(const char* begin, const char* end)
{
    return ReadInt(begin, end);
}

std::string FormatG(double value)
{
    return FormatG(value, 6);
}

std::string FormatG(double value, int precision)
{
    // Non-finite values are never written by the program; these forms are
    // readable and the same on every runtime (msvcrt would print 1.#INF).
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";

    // printf takes a precision of 0 as 1 and a negative one as none given.
    if (precision < 0)
        precision = 6;
    else if (precision == 0)
        precision = 1;

    // to_chars rounds the exact binary value to the given number of significant
    // digits, ties to even, as printf does: "[-]d[.ddd]e[+-]dd[d]". "%g" then
    // picks fixed or exponent form from the exponent after that rounding.
    std::string buffer(static_cast<std::size_t>(precision) + 16, '\0');
    char* first = &buffer[0];
    std::to_chars_result result =
        std::to_chars(first, first + buffer.size(), value, std::chars_format::scientific, precision - 1);
    const char* p = first;
    std::string text;
    if (*p == '-') {
        text += '-';
        ++p;
    }
    std::string digits(1, *p++);
    if (*p == '.') {
        digits.append(p + 1, precision - 1);
        p += precision;
    }
    ++p;  // past the 'e'
    bool negativeExponent = *p == '-';
    int magnitude = 0;
    std::from_chars(p + 1, result.ptr, magnitude);
    int exponent = negativeExponent ? -magnitude : magnitude;

    int count = precision;
    while (count > 1 && digits[count - 1] == '0')
        --count;

    if (exponent < -4 || exponent >= precision) {
        text += digits[0];
        if (count > 1) {
            text += '.';
            text.append(digits, 1, count - 1);
        }
        text += negativeExponent ? "e-" : "e+";
        text += static_cast<char>('0' + magnitude / 100);
        text += static_cast<char>('0' + magnitude / 10 % 10);
        text += static_cast<char>('0' + magnitude % 10);
    } else if (exponent >= 0) {
        int intCount = exponent + 1;
        text.append(digits, 0, intCount);
        if (count > intCount) {
            text += '.';
            text.append(digits, intCount, count - intCount);
        }
    } else {
        text += "0.";
        text.append(-exponent - 1, '0');
        text.append(digits, 0, count);
    }
    return text;
}

std::string FormatInt(int value)
{
    char buffer[16];
    std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}
