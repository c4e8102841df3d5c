#include <gtest/gtest.h>

#include "app/StartupCommand.h"
#include "framework/CommandLine.h"
#include "framework/DdeCommand.h"

TEST(CommandLine, SkipsProgramNameQuotedOrNot)
{
    EXPECT_STREQ("", SkipProgramName("plotra.exe"));
    EXPECT_STREQ("file.plr", SkipProgramName("plotra.exe file.plr"));
    EXPECT_STREQ("a b.plr", SkipProgramName("\"C:\\Program Files\\plotra.exe\"   a b.plr"));
    EXPECT_STREQ("\"x y.plr\"", SkipProgramName("C:\\PLOTRA~1\\PLOTRA.EXE \"x y.plr\""));
    EXPECT_STREQ("", SkipProgramName("\"unterminated"));
}

TEST(CommandLine, StripsQuotesOfOpenRequests)
{
    EXPECT_EQ("C:\\a b.plr", StripFileNameQuotes("\"C:\\a b.plr\""));
    EXPECT_EQ("C:\\a b.plr", StripFileNameQuotes("C:\\a b.plr"));
    // The name ends at the last quote; text after it is dropped.
    EXPECT_EQ("a.plr", StripFileNameQuotes("\"a.plr\" trailing"));
    EXPECT_EQ("a\"b", StripFileNameQuotes("\"a\"b\""));
    EXPECT_EQ("", StripFileNameQuotes("\""));
}

TEST(CommandLine, SwitchesStartNewDocumentEverythingElseIsAFile)
{
    struct {
        const char* text;
        StartupAction action;
    } const cases[] = {
        /* 0 */ { "", StartupAction::NewDocument },
        /* 1 */ { "-e", StartupAction::NewDocument },
        /* 2 */ { "/E", StartupAction::NewDocument },
        /* 3 */ { "-Embedding", StartupAction::NewDocument },
        /* 4 */ { "/embedding x.plr", StartupAction::NewDocument },
        /* 5 */ { "-x", StartupAction::OpenFile },
        /* 6 */ { "-", StartupAction::OpenFile },
        /* 7 */ { "e", StartupAction::OpenFile },
        /* 8 */ { "\"C:\\a.plr\"", StartupAction::OpenFile },
        /* 9 */ { " -e", StartupAction::OpenFile },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].action, ClassifyCommandLine(cases[i].text)) << "row " << i << ": " << cases[i].text;
}

TEST(DdeCommand, FindsEveryOpenCommand)
{
    using Names = std::vector<std::string>;
    EXPECT_EQ(Names{ "C:\\a b.plr" }, ParseDdeOpenCommands("[open(\"C:\\a b.plr\")]"));
    EXPECT_EQ(Names{ "x.plr" }, ParseDdeOpenCommands(" [ OPEN ( \"x.plr\" ) ] "));
    EXPECT_EQ((Names{ "a", "b" }), ParseDdeOpenCommands("[open(\"a\")][open(\"b\")]"));
    EXPECT_EQ(Names{}, ParseDdeOpenCommands("[print(\"a\")]"));
    EXPECT_EQ(Names{}, ParseDdeOpenCommands("[open(\"a\""));
    EXPECT_EQ(Names{}, ParseDdeOpenCommands("[open(\"\")]"));
    EXPECT_EQ(Names{}, ParseDdeOpenCommands(""));
    // A well-formed command before garbage still counts.
    EXPECT_EQ(Names{ "a" }, ParseDdeOpenCommands("[open(\"a\")]junk"));
}
