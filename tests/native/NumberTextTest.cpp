#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "document/NumberText.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();

std::uint64_t Bits(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The shortest text that reads back as value, for failure messages.
std::string Exact(double value)
{
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

std::string Repeat(char ch, int count)
{
    return std::string(count, ch);
}

struct FloatCase {
    std::string text;
    double expected;
};

// Decimal texts that atof in the "C" locale reads the same way on every runtime.
std::vector<FloatCase> DecimalCases()
{
    // 1 + 2^-53, exactly halfway between 1 and the next double.
    const std::string halfway = "1.00000000000000011102230246251565404236316680908203125";
    return {
        /* 0 */ { "", 0.0 },
        /* 1 */ { "abc", 0.0 },
        /* 2 */ { " \t\n\v\f\r42", 42.0 },
        /* 3 */ { "+1.5", 1.5 },
        /* 4 */ { "-1.5", -1.5 },
        /* 5 */ { "1.", 1.0 },
        /* 6 */ { ".5", 0.5 },
        /* 7 */ { "-.5e3", -500.0 },
        /* 8 */ { ".", 0.0 },
        /* 9 */ { "-.", 0.0 },
        /* 10 */ { ".e5", 0.0 },
        /* 11 */ { "1e", 1.0 },
        /* 12 */ { "1e+", 1.0 },
        /* 13 */ { "1E-", 1.0 },
        /* 14 */ { "1e+5x", 1e5 },
        /* 15 */ { "1E-2", 0.01 },
        /* 16 */ { "1e5.5", 1e5 },
        /* 17 */ { "1,5", 1.0 },
        /* 18 */ { "+-1", 0.0 },
        /* 19 */ { "- 1", 0.0 },
        /* 20 */ { "1 2", 1.0 },
        /* 21 */ { "-0", -0.0 },
        /* 22 */ { "00012.50", 12.5 },
        /* 23 */ { "2.5e-3 -4E2", 0.0025 },
        /* 24 */ { "1.5e3,-2", 1500.0 },
        /* 25 */ { "0.1", 0.1 },
        /* 26 */ { "\xa0" "1", 0.0 },  // no-break space is not C-locale white space
        /* 27 */ { "9007199254740993", 9007199254740992.0 },  // tie, to even
        /* 28 */ { "1.7976931348623158e308", DBL_MAX },
        /* 29 */ { "1.7976931348623159e308", kInf },
        /* 30 */ { "-1e309", -kInf },
        /* 31 */ { "1e99999999999999999999", kInf },
        /* 32 */ { "1e-99999999999999999999", 0.0 },
        /* 33 */ { "0e99999", 0.0 },
        /* 34 */ { "2.2250738585072011e-308", 2.2250738585072011e-308 },
        /* 35 */ { "1e-310", 1e-310 },
        /* 36 */ { "4.9406564584124654e-324", DBL_TRUE_MIN },
        /* 37 */ { "2.4703282292062328e-324", DBL_TRUE_MIN },
        /* 38 */ { "2.4703282292062327e-324", 0.0 },
        /* 39 */ { "-1e-400", -0.0 },
        /* 40 */ { halfway + Repeat('0', 350), 1.0 },
        /* 41 */ { halfway + Repeat('0', 350) + "1", 1.0000000000000002 },
        /* 42 */ { "0." + Repeat('9', 400), 1.0 },
        /* 43 */ { "1" + Repeat('0', 399) + "e-399", 1.0 },
        /* 44 */ { "0." + Repeat('0', 400) + "1e400", 0.1 },
        /* 45 */ { "-" + Repeat('9', 400), -kInf },
        /* 46 */ { "0." + Repeat('0', 400) + "1", 0.0 },
        // The edges of the short way for digits and powers a double holds exactly.
        /* 47 */ { "9007199254740991e22", 9007199254740991e22 },
        /* 48 */ { "-9007199254740.991e-9", -9007199254740.991e-9 },
        /* 49 */ { "9007199254740992e-22", 9007199254740992e-22 },
        /* 50 */ { "1e23", 1e23 },
        /* 51 */ { "0.000000000000000000000001", 1e-24 },
        /* 52 */ { "1.50000000000000000000", 1.5 },
    };
}

// Random texts from a fixed seed, the same on every build: runs of the characters
// data lines may hold, doubles printed in several forms, and short decimals with
// exponents near the ends of the double range.
std::vector<std::string> RandomNumberTexts(int count)
{
    static const char kDataChars[] = "0123456789 .\r\n\t,-+eE0123456789012345678901234567890123456789";
    std::mt19937 random(20240611);
    std::vector<std::string> texts;
    while (static_cast<int>(texts.size()) < count) {
        std::string text;
        char buffer[400];
        switch (random() % 3) {
        case 0:
            for (unsigned length = 1 + random() % 24; length > 0; --length)
                text += kDataChars[random() % (sizeof kDataChars - 1)];
            break;
        case 1: {
            std::uint64_t bits = static_cast<std::uint64_t>(random()) << 32 | random();
            double value;
            std::memcpy(&value, &bits, sizeof value);
            if (!std::isfinite(value))
                continue;
            int precision = random() % 26;
            std::chars_format format = random() % 2 ? std::chars_format::scientific : std::chars_format::general;
            if (std::fabs(value) < 1e30 && std::fabs(value) > 1e-30 && random() % 3 == 0)
                format = std::chars_format::fixed;
            text.assign(Repeat(' ', random() % 3));
            if (random() % 4 == 0)
                text += '+';
            text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value, format, precision).ptr);
            break;
        }
        default:
            for (unsigned length = 1 + random() % 30; length > 0; --length)
                text += static_cast<char>('0' + random() % 10);
            text.insert(random() % (text.size() + 1), ".");
            text += (random() % 2 ? "e" : "E") + std::to_string(static_cast<int>(random() % 660) - 340);
            break;
        }
        texts.push_back(text);
    }
    return texts;
}

// Random finite doubles from a fixed seed: arbitrary bit patterns, and values
// where "%g" must round a tie or choose between its two forms.
std::vector<double> RandomDoubles(int count)
{
    std::mt19937 random(19700101);
    std::vector<double> values;
    while (static_cast<int>(values.size()) < count) {
        double value;
        switch (random() % 4) {
        case 0: {
            std::uint64_t bits = static_cast<std::uint64_t>(random()) << 32 | random();
            std::memcpy(&value, &bits, sizeof value);
            if (!std::isfinite(value))
                continue;
            break;
        }
        case 1: {  // exact ties at the sixth digit: 1234565, 1234565000, 123456.5
            double tie = static_cast<double>(100000 + random() % 900000);
            if (random() % 4 == 0) {
                value = tie + 0.5;
            } else {
                value = tie * 10 + 5;
                for (unsigned zeros = random() % 9; zeros > 0; --zeros)
                    value *= 10;
            }
            break;
        }
        case 2: {  // nines that round up to the next power of ten, or just fail to
            std::string text = "99999" + std::to_string(random() % 100) + "e" +
                               std::to_string(static_cast<int>(random() % 40) - 20);
            value = AtoF(text.c_str());
            break;
        }
        default: {
            std::string text = std::to_string(random() % 100000000) + "e" + std::to_string(static_cast<int>(random() % 40) - 25);
            value = AtoF(text.c_str());
            break;
        }
        }
        values.push_back(random() % 2 ? -value : value);
    }
    return values;
}

#ifdef __GLIBC__
// printf's "%g", or another "%g" format, with its exponent widened to three digits.
std::string PrintfG(double value, const char* format = "%g")
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, format, value);
    std::string text = buffer;
    std::string::size_type e = text.find('e');
    if (e != std::string::npos && text.size() - (e + 2) < 3)
        text.insert(e + 2, 3 - (text.size() - (e + 2)), '0');
    return text;
}
#endif

std::uint64_t Fnv1a(std::uint64_t hash, const void* data, std::size_t size)
{
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ bytes[i]) * 1099511628211u;
    return hash;
}

}  // namespace

TEST(NumberText, ReadsDecimalNumbersLikeAtof)
{
    std::vector<FloatCase> cases = DecimalCases();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        double actual = AtoF(cases[i].text.c_str());
        EXPECT_EQ(Bits(cases[i].expected), Bits(actual))
            << "row " << i << ": expected " << Exact(cases[i].expected) << ", got " << Exact(actual);
#ifdef __GLIBC__
        double glibc = std::atof(cases[i].text.c_str());
        EXPECT_EQ(Bits(glibc), Bits(actual)) << "row " << i << ": glibc " << Exact(glibc) << ", got " << Exact(actual);
#endif
    }
}

TEST(NumberText, ReadsNoHexadecimalInfinityOrNan)
{
    const char* texts[] = {
        /* 0 */ "0x1p3",
        /* 1 */ "-0X10",
        /* 2 */ "inf",
        /* 3 */ "-Infinity",
        /* 4 */ "nan",
        /* 5 */ "NAN(123)",
    };
    for (std::size_t i = 0; i < sizeof texts / sizeof texts[0]; ++i) {
        double actual = AtoF(texts[i]);
        EXPECT_EQ(0.0, actual) << "row " << i << ": got " << Exact(actual);
    }
}

TEST(NumberText, StopsAtTheEndOfAnUnterminatedRange)
{
    struct {
        const char* text;
        std::size_t length;
        double asFloat;
        int asInt;
    } cases[] = {
        /* 0 */ { "1.5e3", 5, 1500.0, 1 },
        /* 1 */ { "1.5e3", 4, 1.5, 1 },
        /* 2 */ { "1.5e+3", 5, 1.5, 1 },
        /* 3 */ { "1.5e3", 2, 1.0, 1 },
        /* 4 */ { "-12345", 3, -12.0, -12 },
        /* 5 */ { "  7", 2, 0.0, 0 },
        /* 6 */ { "-", 1, 0.0, 0 },
        /* 7 */ { "5", 0, 0.0, 0 },
    };
    for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        // An exact-size heap copy, so that reading past its end is caught.
        std::unique_ptr<char[]> copy(new char[cases[i].length]);
        std::memcpy(copy.get(), cases[i].text, cases[i].length);
        const char* end = copy.get() + cases[i].length;
        EXPECT_EQ(cases[i].asFloat, AtoF(copy.get(), end)) << "row " << i;
        EXPECT_EQ(cases[i].asInt, AtoI(copy.get(), end)) << "row " << i;
    }
}

TEST(NumberText, ReadsIntegersLikeAtoiAndSaturates)
{
    struct {
        const char* text;
        int expected;
    } cases[] = {
        /* 0 */ { "", 0 },
        /* 1 */ { " \t\n\v\f\r42", 42 },
        /* 2 */ { "-7x", -7 },
        /* 3 */ { "+5", 5 },
        /* 4 */ { "+-5", 0 },
        /* 5 */ { "- 5", 0 },
        /* 6 */ { "12 34", 12 },
        /* 7 */ { "3.9", 3 },
        /* 8 */ { "1e5", 1 },
        /* 9 */ { "0x10", 0 },
        /* 10 */ { "-000000000000000000000012", -12 },
        /* 11 */ { "2147483647", INT_MAX },
        /* 12 */ { "2147483648", INT_MAX },
        /* 13 */ { "-2147483648", INT_MIN },
        /* 14 */ { "-2147483649", INT_MIN },
        /* 15 */ { "99999999999999999999999999", INT_MAX },
        /* 16 */ { "-99999999999999999999999999", INT_MIN },
    };
    for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].expected, AtoI(cases[i].text)) << "row " << i << ": \"" << cases[i].text << '"';
}

TEST(NumberText, FormatsLikePercentGWithThreeExponentDigits)
{
    struct {
        double value;
        const char* expected;
    } cases[] = {
        /* 0 */ { 1e6, "1e+006" },
        /* 1 */ { 5, "5" },
        /* 2 */ { 2.5, "2.5" },
        /* 3 */ { 0.0001, "0.0001" },
        /* 4 */ { 1e-5, "1e-005" },
        /* 5 */ { 123456, "123456" },
        /* 6 */ { 1234567, "1.23457e+006" },
        /* 7 */ { 100000, "100000" },
        /* 8 */ { 999999.5, "1e+006" },
        /* 9 */ { 999999.4, "999999" },
        /* 10 */ { -0.5, "-0.5" },
        /* 11 */ { 0.0, "0" },
        /* 12 */ { -0.0, "-0" },
        /* 13 */ { 1.5e-7, "1.5e-007" },
        /* 14 */ { 1.23456789e10, "1.23457e+010" },
        /* 15 */ { 0.000123456789, "0.000123457" },
        /* 16 */ { 0.00009999995, "0.0001" },
        /* 17 */ { 1234565, "1.23456e+006" },  // ties go to even
        /* 18 */ { 1234575, "1.23458e+006" },
        /* 19 */ { 1e100, "1e+100" },
        /* 20 */ { -DBL_MAX, "-1.79769e+308" },
        /* 21 */ { DBL_TRUE_MIN, "4.94066e-324" },
        /* 22 */ { 9.2, "9.2" },
        /* 23 */ { kInf, "inf" },
        /* 24 */ { -kInf, "-inf" },
        /* 25 */ { std::nan(""), "nan" },
        /* 26 */ { -std::nan(""), "nan" },
    };
    for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].expected, FormatG(cases[i].value)) << "row " << i;
}

TEST(NumberText, FormatsIntegersLikePercentD)
{
    EXPECT_EQ("0", FormatInt(0));
    EXPECT_EQ("-7", FormatInt(-7));
    EXPECT_EQ("2147483647", FormatInt(INT_MAX));
    EXPECT_EQ("-2147483648", FormatInt(INT_MIN));
}

TEST(NumberText, IgnoresTheProcessLocale)
{
    const char* names[] = { "de_DE.UTF-8", "de_DE.utf8", "German_Germany.1252", "German" };
    std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const char* comma = nullptr;
    for (const char* name : names) {
        if (std::setlocale(LC_NUMERIC, name) && std::localeconv()->decimal_point[0] == ',') {
            comma = name;
            break;
        }
    }
    if (!comma) {
        std::setlocale(LC_NUMERIC, previous.c_str());
        GTEST_SKIP() << "no German locale with a decimal comma is installed";
    }
    EXPECT_EQ(1.5, AtoF("1.5")) << comma;
    EXPECT_EQ(1.0, AtoF("1,5")) << comma;
    EXPECT_EQ("1.5", FormatG(1.5)) << comma;
    EXPECT_EQ("-2.5e-007", FormatG(-2.5e-7)) << comma;
    std::setlocale(LC_NUMERIC, previous.c_str());
}

#ifdef __GLIBC__
TEST(NumberText, ReadsRandomTextsLikeGlibcAtof)
{
    std::setlocale(LC_NUMERIC, "C");
    std::vector<std::string> texts = RandomNumberTexts(100000);
    int failures = 0;
    for (std::size_t i = 0; i < texts.size() && failures < 10; ++i) {
        double expected = std::atof(texts[i].c_str());
        double actual = AtoF(texts[i].c_str());
        // The same text ended by a range, not a NUL, cut somewhere inside.
        const std::size_t cut = i % (texts[i].size() + 1);
        double expectedCut = std::atof(texts[i].substr(0, cut).c_str());
        double actualCut = AtoF(texts[i].data(), texts[i].data() + cut);
        if (Bits(expected) != Bits(actual) || Bits(expectedCut) != Bits(actualCut)) {
            ++failures;
            ADD_FAILURE() << "text " << i << " \"" << texts[i] << "\": glibc " << Exact(expected) << ", got "
                          << Exact(actual) << "; its first " << cut << " characters: glibc " << Exact(expectedCut)
                          << ", got " << Exact(actualCut);
        }
    }
}

TEST(NumberText, FormatsRandomDoublesLikeGlibcPrintf)
{
    std::setlocale(LC_NUMERIC, "C");
    std::vector<double> values = RandomDoubles(100000);
    int failures = 0;
    for (std::size_t i = 0; i < values.size() && failures < 10; ++i) {
        std::string expected = PrintfG(values[i]);
        std::string actual = FormatG(values[i]);
        if (expected != actual) {
            ++failures;
            ADD_FAILURE() << "value " << i << " " << Exact(values[i]) << ": glibc " << expected << ", got " << actual;
        }
    }
}
#endif

// The random sets above, checked against glibc on the host, digested; the Win32
// build must reach the same digests. A change to the generators changes them.
TEST(NumberText, GivesTheSameResultsOnEveryBuild)
{
    std::uint64_t readDigest = 14695981039346656037u;
    for (const std::string& text : RandomNumberTexts(100000)) {
        std::uint64_t bits = Bits(AtoF(text.c_str()));
        readDigest = Fnv1a(readDigest, &bits, sizeof bits);
    }
    std::uint64_t formatDigest = 14695981039346656037u;
    for (double value : RandomDoubles(100000)) {
        std::string text = FormatG(value);
        formatDigest = Fnv1a(formatDigest, text.c_str(), text.size() + 1);
    }
    EXPECT_EQ(12321183571709462109u, readDigest);
    EXPECT_EQ(16051132528456826156u, formatDigest);
}

TEST(NumberText, FormatsWithAGivenPrecisionLikePrintf)
{
    struct {
        double value;
        int precision;
        const char* expected;
    } cases[] = {
        /* 0 */ { 1e6, 4, "1e+006" },
        /* 1 */ { 2.5e-5, 4, "2.5e-005" },
        /* 2 */ { 1234, 4, "1234" },
        /* 3 */ { 1234.5, 4, "1234" },  // a tie goes to even
        /* 4 */ { 1235.5, 4, "1236" },
        /* 5 */ { 12345, 4, "1.234e+004" },
        /* 6 */ { 9999.5, 4, "1e+004" },  // rounding carries into the exponent form
        /* 7 */ { 9999.4, 4, "9999" },
        /* 8 */ { 3.14159274, 4, "3.142" },
        /* 9 */ { -1.5, 4, "-1.5" },
        /* 10 */ { 0.0001234, 2, "0.00012" },
        /* 11 */ { 0.00001234, 2, "1.2e-005" },
        /* 12 */ { 2.5, 0, "2" },  // precision 0 counts as 1
        /* 13 */ { 35, 1, "4e+001" },
        /* 14 */ { 0.1, 17, "0.10000000000000001" },
        /* 15 */ { 1234567, -1, "1.23457e+006" },  // a negative precision counts as 6
        /* 16 */ { 0.0, 4, "0" },
        /* 17 */ { -0.0, 1, "-0" },
        /* 18 */ { 1e300, 3, "1e+300" },
        /* 19 */ { 123456789012.0, 12, "123456789012" },
        /* 20 */ { 1e22, 30, "10000000000000000000000" },
        /* 21 */ { kInf, 4, "inf" },
        /* 22 */ { std::nan(""), 4, "nan" },
    };
    for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].expected, FormatG(cases[i].value, cases[i].precision)) << "row " << i;
}

#ifdef __GLIBC__
TEST(NumberText, FormatsRandomDoublesAtEveryPrecisionLikeGlibcPrintf)
{
    std::setlocale(LC_NUMERIC, "C");
    std::vector<double> values = RandomDoubles(40000);
    int failures = 0;
    for (std::size_t i = 0; i < values.size() && failures < 10; ++i) {
        int precision = static_cast<int>(i % 20);
        char format[8];
        std::snprintf(format, sizeof format, "%%.%dg", precision);
        std::string expected = PrintfG(values[i], format);
        std::string actual = FormatG(values[i], precision);
        if (expected != actual) {
            ++failures;
            ADD_FAILURE() << "value " << i << " " << Exact(values[i]) << " at precision " << precision << ": glibc "
                          << expected << ", got " << actual;
        }
    }
}
#endif

// As above for the precision-taking form: the Win32 build must reach the digest
// checked here against glibc.
TEST(NumberText, GivesTheSameResultsAtEveryPrecisionOnEveryBuild)
{
    std::vector<double> values = RandomDoubles(40000);
    std::uint64_t digest = 14695981039346656037u;
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::string text = FormatG(values[i], static_cast<int>(i % 20));
        digest = Fnv1a(digest, text.c_str(), text.size() + 1);
    }
    EXPECT_EQ(479938670060748000u, digest);
}
