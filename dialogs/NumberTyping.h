#pragma once
// The typing rules of numeric edit fields and the table of number limits,
// without Windows: CNumberValidator applies them to an edit window.
#include <string>

struct NumberLimit {
    int nMaxDecimals;  // digits allowed after the point; -1: digits only
    double dMinimum;
    double dMaximum;
    char szFormat[8];  // shows the bounds and writes values of this row
};

enum { NUMLIMIT_WHOLE = 0, NUMLIMIT_AMOUNT = 1, NUMLIMIT_GENERAL = 2 };
extern const NumberLimit g_NumberLimits[3];

// Why a text fails the typing check. Only the last three are told with a message.
enum class TypingFault { None, Refused, TooLong, AboveMaximum, BelowMinimum };

// The most characters a field takes.
const int kMaxNumberChars = 12;

// Checks the whole text of a field after a change: an optional leading '-'
// (only where the row allows negatives), digits, one point before any
// exponent, at most nMaxDecimals decimals (a negative exponent's magnitude
// counts as further decimals), with bAllowExponent an 'e' or 'E' after a
// non-zero digit with an optional sign right behind it, at most 12
// characters, a value within the row's bounds.
TypingFault CheckNumberTyping(const char* pszText, const NumberLimit& limit, bool bAllowExponent);

// True when the text is a whole number as the data conversion reads it: an
// optional sign, digits with at most one point (at least one digit, before
// or after it: "1." reads as 1), then optionally an exponent mark, an
// optional sign and digits. What the typing rules let through while a number
// is being typed ("-", ".", "1e", "1e-") is not whole.
bool IsCompleteNumber(const char* pszText);

// True when after is before with characters taken out (one run of them, as
// Backspace, Delete or Cut take out). Such a change is not held to the typing
// rules: it must be possible to shorten a text that breaks them.
bool IsDeletionOf(const std::string& after, const std::string& before);
// The fault of such a deletion: none, unless it takes the value past a bound
// that before kept within ("1.5e19" to "15e19").
TypingFault DeletionFault(const char* pszAfter, const char* pszBefore, const NumberLimit& limit);

// The text a numeric field of the general row shows for a value: the most
// significant digits, six at most and two at least, that give a text the
// field's own typing check accepts; failing that, the value with six digits.
std::string FormatFieldNumber(double value);

// "Minimum value is: " (which 0) or "Maximum value is: " (which 1) and the
// bound written with the row's format, exponents with three digits.
std::string NumberLimitText(int which, double bound, const NumberLimit& limit);
// The message for a fault, empty for the silent ones.
std::string TypingFaultText(TypingFault fault, const NumberLimit& limit);
