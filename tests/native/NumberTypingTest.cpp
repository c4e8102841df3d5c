#include <gtest/gtest.h>

#include "dialogs/NumberTyping.h"

namespace {

const NumberLimit& General()
{
    return g_NumberLimits[NUMLIMIT_GENERAL];
}

const char* Name(TypingFault f)
{
    switch (f) {
    case TypingFault::None: return "None";
    case TypingFault::Refused: return "Refused";
    case TypingFault::TooLong: return "TooLong";
    case TypingFault::AboveMaximum: return "AboveMaximum";
    default: return "BelowMinimum";
    }
}

}  // namespace

TEST(NumberTyping, GeneralRowWithExponent)
{
    struct Case {
        const char* text;
        TypingFault expected;
    } cases[] = {
        /* 0 */ { "", TypingFault::None },
        /* 1 */ { "-5", TypingFault::None },
        /* 2 */ { "+5", TypingFault::Refused },
        /* 3 */ { "5-", TypingFault::Refused },
        /* 4 */ { "1.123456", TypingFault::None },
        /* 5 */ { "1.1234567", TypingFault::Refused },
        /* 6 */ { "1e5", TypingFault::None },
        /* 7 */ { "1E-6", TypingFault::None },
        /* 8 */ { "0e5", TypingFault::Refused },
        /* 9 */ { "0.5e3", TypingFault::None },
        /* 10 */ { "1e-06", TypingFault::None },
        /* 11 */ { "1e-7", TypingFault::Refused },
        /* 12 */ { "1.5e-5", TypingFault::None },
        /* 13 */ { "1.25e-5", TypingFault::Refused },
        /* 14 */ { "1e-005", TypingFault::None },
        /* 15 */ { "123456789012", TypingFault::None },
        /* 16 */ { "1234567890123", TypingFault::TooLong },
        /* 17 */ { "2e21", TypingFault::AboveMaximum },
        /* 18 */ { "-2e21", TypingFault::BelowMinimum },
        /* 19 */ { "-", TypingFault::None },
        /* 20 */ { ".", TypingFault::None },
        /* 21 */ { "1e20", TypingFault::None },
        /* 22 */ { "-1e20", TypingFault::None },
        /* 23 */ { "1.0000001e20", TypingFault::AboveMaximum },
        /* 24 */ { "1e5.5", TypingFault::Refused },  // a point after the exponent
        /* 25 */ { "1.2.3", TypingFault::Refused },
        /* 26 */ { "1e+5", TypingFault::None },
        /* 27 */ { "1e5+", TypingFault::Refused },
        /* 28 */ { "1 2", TypingFault::Refused },
        /* 29 */ { "1,2", TypingFault::Refused },
        /* 30 */ { "e5", TypingFault::Refused },
        /* 31 */ { "1ee5", TypingFault::Refused },
        /* 32 */ { "1e-999999999", TypingFault::Refused },
        /* 33 */ { "1e999", TypingFault::AboveMaximum },
        /* 34 */ { "x", TypingFault::Refused },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        TypingFault got = CheckNumberTyping(cases[i].text, General(), true);
        EXPECT_STREQ(Name(cases[i].expected), Name(got)) << "case " << i << " \"" << cases[i].text << "\"";
    }
}

TEST(NumberTyping, OtherRowsAndNoExponent)
{
    EXPECT_EQ(TypingFault::Refused, CheckNumberTyping("1e5", General(), false));
    EXPECT_EQ(TypingFault::None, CheckNumberTyping("1.5", General(), false));
    const NumberLimit& whole = g_NumberLimits[NUMLIMIT_WHOLE];
    EXPECT_EQ(TypingFault::None, CheckNumberTyping("40", whole, true));
    EXPECT_EQ(TypingFault::AboveMaximum, CheckNumberTyping("41", whole, true));
    EXPECT_EQ(TypingFault::Refused, CheckNumberTyping("4.", whole, true));
    EXPECT_EQ(TypingFault::Refused, CheckNumberTyping("-4", whole, true)) << "no negatives in row 0";
    const NumberLimit& amount = g_NumberLimits[NUMLIMIT_AMOUNT];
    EXPECT_EQ(TypingFault::None, CheckNumberTyping("0.01", amount, true));
    EXPECT_EQ(TypingFault::Refused, CheckNumberTyping("0.011", amount, true));
}

TEST(NumberTyping, MessagesShowBoundsWithThreeDigitExponents)
{
    EXPECT_EQ("Maximum value is: 1e+020", TypingFaultText(TypingFault::AboveMaximum, General()));
    EXPECT_EQ("Minimum value is: -1e+020", TypingFaultText(TypingFault::BelowMinimum, General()));
    EXPECT_EQ("Too many characters...", TypingFaultText(TypingFault::TooLong, General()));
    EXPECT_EQ("", TypingFaultText(TypingFault::Refused, General()));
    EXPECT_EQ("Maximum value is: 40", NumberLimitText(1, 40, g_NumberLimits[NUMLIMIT_WHOLE]));
    EXPECT_EQ("Minimum value is: 0.01", NumberLimitText(0, 0.01, g_NumberLimits[NUMLIMIT_AMOUNT]));
}

TEST(NumberTyping, OnlyWholeNumbersAreComplete)
{
    struct {
        const char* text;
        bool complete;
    } const cases[] = {
        /* 0 */ { "5", true },      /* 1 */ { "-5", true },    /* 2 */ { "+5", true },
        /* 3 */ { ".5", true },     /* 4 */ { "-.5", true },   /* 5 */ { "1.5e-3", true },
        /* 6 */ { "1.e5", true },   /* 7 */ { "2E+7", true },  /* 8 */ { "", false },
        /* 9 */ { "-", false },     /* 10 */ { ".", false },   /* 11 */ { "-.", false },
        /* 12 */ { "1e", false },   /* 13 */ { "1e-", false }, /* 14 */ { "1.", true },
        /* 15 */ { "e5", false },   /* 16 */ { "5-3", false }, /* 17 */ { "1.2.3", false },
        /* 18 */ { "--5", false },  /* 19 */ { "1e5e", false },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].complete, IsCompleteNumber(cases[i].text)) << "row " << i << " \"" << cases[i].text << "\"";
}

TEST(NumberTyping, ChangesThatOnlyTakeCharactersOutAreDeletions)
{
    struct {
        const char* after;
        const char* before;
        bool deletion;
    } const cases[] = {
        /* 0 */ { "3.1415926", "3.14159265", true },  /* 1 */ { ".14159265", "3.14159265", true },
        /* 2 */ { "3.9265", "3.14159265", true },     /* 3 */ { "", "12", true },
        /* 4 */ { "12", "12", false },                /* 5 */ { "123", "12", false },
        /* 6 */ { "13", "125", false },               /* 7 */ { "35", "1234", false },  // a replacement; two runs
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].deletion, IsDeletionOf(cases[i].after, cases[i].before)) << "row " << i;
}

TEST(NumberTyping, DeletionsAreRefusedOnlyForLeavingTheRange)
{
    EXPECT_EQ(TypingFault::BelowMinimum, DeletionFault("-15e19", "-1.5e19", General()));
    EXPECT_EQ(TypingFault::None, DeletionFault("5e5", "5e25", General())) << "out of range before";
}

TEST(NumberTyping, FieldsShowValuesTheirOwnCheckAccepts)
{
    struct {
        double value;
        const char* text;
    } const cases[] = {
        /* 0 */ { 50, "50" },
        /* 1 */ { -1234567, "-1234570" },        // "-1.23457e+006" is 13 characters
        /* 2 */ { -123456789012.0, "-1.2346e+011" },
        /* 3 */ { 1e20, "1e+020" },
        /* 4 */ { -1e20, "-1e+020" },
        /* 5 */ { 1.5e-5, "1.5e-005" },
        /* 6 */ { 0.000123456, "0.000123" },     // six decimals at most
        /* 7 */ { 0.5, "0.5" },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        std::string text = FormatFieldNumber(cases[i].value);
        EXPECT_EQ(cases[i].text, text) << "row " << i;
        EXPECT_EQ(TypingFault::None, CheckNumberTyping(text.c_str(), General(), true)) << "row " << i;
    }
    EXPECT_EQ("1.25e-006", FormatFieldNumber(1.25e-6)) << "no text of two digits fits: six, not one";
}
