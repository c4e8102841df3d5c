#include "dialogs/NumberTyping.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "document/NumberText.h"

const NumberLimit g_NumberLimits[3] = {
    { -1, 0.0, 40.0, "%-.0f" },
    { 2, 0.01, 1000000.0, "%-.2f" },
    { 6, -1e20, 1e20, "%-.6g" },
};

namespace {

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

struct TypingScan {
    int point = -1;     // position of the decimal point
    int exponent = -1;  // position of the exponent marker
    int decimals = 0;
    bool nonZero = false;
};

// Decimals counted at the digit in position i.
int DecimalsAt(const char* text, int i, const TypingScan& s)
{
    if (s.exponent < 0)
        return s.point >= 0 ? i - s.point : 0;
    long long count = s.point >= 0 ? s.exponent - s.point - 1 : 0;
    long long e = AtoI(text + s.exponent + 1);
    if (e < 0)
        count -= e;
    return count > 1000 ? 1000 : static_cast<int>(count);
}

// One character other than a digit; false refuses the text.
bool AcceptSign(const char* text, int i, TypingScan& s, bool bAllowExponent)
{
    char ch = text[i];
    // A point after the exponent would be shown but not read as part of the number.
    if (ch == '.' && s.point < 0 && s.exponent < 0) {
        s.point = i;
        return true;
    }
    if (!bAllowExponent)
        return false;
    if (s.exponent < 0) {
        if ((ch == 'e' || ch == 'E') && s.nonZero) {
            s.exponent = i;
            return true;
        }
        return false;
    }
    return (ch == '+' || ch == '-') && i == s.exponent + 1;
}

}  // namespace

TypingFault CheckNumberTyping(const char* pszText, const NumberLimit& limit, bool bAllowExponent)
{
    int length = static_cast<int>(std::strlen(pszText));
    if (length == 0)
        return TypingFault::None;
    bool bNegatives = limit.dMinimum < 0;
    double value = AtoF(pszText);
    if (value > limit.dMaximum)
        return TypingFault::AboveMaximum;
    if (length > kMaxNumberChars)
        return TypingFault::TooLong;
    TypingScan s;
    for (int i = 0; i < length; ++i) {
        char ch = pszText[i];
        if (i == 0 && bNegatives && ch == '-')
            continue;
        if (IsDigit(ch)) {
            if (limit.nMaxDecimals < 0)
                continue;
            s.nonZero = s.nonZero || ch != '0';
            if (s.point >= 0 || s.exponent >= 0)
                s.decimals = DecimalsAt(pszText, i, s);
            if (s.decimals > limit.nMaxDecimals)
                return TypingFault::Refused;
        } else if (limit.nMaxDecimals < 0 || !AcceptSign(pszText, i, s, bAllowExponent)) {
            return TypingFault::Refused;
        }
    }
    if (bNegatives && value < limit.dMinimum)
        return TypingFault::BelowMinimum;
    return TypingFault::None;
}

namespace {

// Skips the digits at p; how many there were.
int SkipDigits(const char*& p)
{
    const char* start = p;
    while (IsDigit(*p))
        ++p;
    return static_cast<int>(p - start);
}

}  // namespace

bool IsCompleteNumber(const char* pszText)
{
    const char* p = pszText;
    if (*p == '-' || *p == '+')
        ++p;
    int digits = SkipDigits(p);
    if (*p == '.') {
        ++p;
        digits += SkipDigits(p);
    }
    if (digits == 0)
        return false;
    if (*p == 'e' || *p == 'E') {
        ++p;
        if (*p == '-' || *p == '+')
            ++p;
        if (SkipDigits(p) == 0)
            return false;
    }
    return *p == '\0';
}

namespace {

// A number written by FormatG ("-1.23457e+006") with the same digits and no
// exponent ("-1234570"); a text without an exponent comes back as it is.
std::string WithoutExponent(const std::string& text)
{
    std::size_t mark = text.find('e');
    if (mark == std::string::npos)
        return text;
    std::string sign = text[0] == '-' ? "-" : "";
    std::string digits;
    int point = -1;
    for (std::size_t i = sign.size(); i < mark; ++i) {
        if (text[i] == '.')
            point = static_cast<int>(digits.size());
        else
            digits += text[i];
    }
    if (point < 0)
        point = static_cast<int>(digits.size());
    point += AtoI(text.c_str() + mark + 1);
    if (point <= 0)
        return sign + "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
    if (point >= static_cast<int>(digits.size()))
        return sign + digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
    return sign + digits.substr(0, point) + "." + digits.substr(point);
}

}  // namespace

bool IsDeletionOf(const std::string& after, const std::string& before)
{
    if (after.size() >= before.size())
        return false;
    std::size_t head = 0;
    while (head < after.size() && after[head] == before[head])
        ++head;
    std::size_t tail = after.size() - head;
    return after.compare(head, tail, before, before.size() - tail, tail) == 0;
}

TypingFault DeletionFault(const char* pszAfter, const char* pszBefore, const NumberLimit& limit)
{
    double after = AtoF(pszAfter);
    double before = AtoF(pszBefore);
    if (after > limit.dMaximum && !(before > limit.dMaximum))
        return TypingFault::AboveMaximum;
    if (limit.dMinimum < 0 && after < limit.dMinimum && !(before < limit.dMinimum))
        return TypingFault::BelowMinimum;
    return TypingFault::None;
}

std::string FormatFieldNumber(double value)
{
    const NumberLimit& general = g_NumberLimits[NUMLIMIT_GENERAL];
    for (int digits = 6; digits > 1; --digits) {
        std::string text = FormatG(value, digits);
        if (CheckNumberTyping(text.c_str(), general, true) == TypingFault::None)
            return text;
        // The same digits written out without the exponent may fit.
        std::string whole = WithoutExponent(text);
        if (CheckNumberTyping(whole.c_str(), general, true) == TypingFault::None)
            return whole;
    }
    // No text of two digits or more fits the rules (1.25e-6 has seven
    // decimals): the value is kept as six digits show it, rather than rounded
    // to one, which could make two different limits the same.
    return FormatG(value, 6);
}

std::string NumberLimitText(int which, double bound, const NumberLimit& limit)
{
    std::string text = which == 0 ? "Minimum value is: " : "Maximum value is: ";
    const char* format = limit.szFormat;
    size_t n = std::strlen(format);
    if (n > 0 && format[n - 1] == 'g') {
        const char* dot = std::strchr(format, '.');
        text += FormatG(bound, dot ? std::atoi(dot + 1) : 6);
    } else {
        char buffer[81];
        std::snprintf(buffer, sizeof buffer, format, bound);
        text += buffer;
    }
    return text;
}

std::string TypingFaultText(TypingFault fault, const NumberLimit& limit)
{
    switch (fault) {
    case TypingFault::TooLong:
        return "Too many characters...";
    case TypingFault::AboveMaximum:
        return NumberLimitText(1, limit.dMaximum, limit);
    case TypingFault::BelowMinimum:
        return NumberLimitText(0, limit.dMinimum, limit);
    default:
        return std::string();
    }
}
