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
