#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/options.h"

namespace vexmire {

// The command line, read as GNU programs read theirs, with Qt's own options passed on to Qt.
namespace {

Options Parse(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "vexmire");
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    return ParseOptions(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLine, QtsOwnOptionsPassInEverySpellingQtTakesWithTheirValues) {
    const std::vector<std::vector<std::string>> lines = {
        {"-platform", "offscreen", "--record", "game.vxs"},
        {"--platform", "offscreen", "--record=game.vxs"},
        {"-style=fusion", "--record", "game.vxs"},
        {"--style", "fusion", "-icon", "x.png", "-reverse", "--record", "game.vxs"},
        {"-qmljsdebugger=port:1234", "--record", "game.vxs", "--"},
    };
    for (const auto& line : lines) {
        SCOPED_TRACE(line.front());
        const Options options = Parse(line);
        EXPECT_EQ(options.action, Options::Action::Play) << options.refusal;
        EXPECT_EQ(options.recordPath, "game.vxs");
    }
}

TEST(CommandLine, WhatGnuProgramsRefuseIsRefusedInOneShortLine) {
    const std::string huge(100'000, 'x');
    const std::vector<std::pair<std::vector<std::string>, std::string>> refusals = {
        {{"--record", "a.vxs", "--record", "b.vxs"}, "option '--record' given twice"},
        {{"--replay=a.vxs", "--replay", "a.vxs"}, "option '--replay' given twice"},
        {{"--", "game.vxs"}, "unexpected argument 'game.vxs'"},
        {{"-platform=offscreen"}, "unknown option '-platform=offscreen'"},
        {{"-platform"}, "option '-platform' needs a value"},
        {{"--record"}, "option '--record' needs a FILE"},
        {{"--help=yes"}, "option '--help' takes no value"},
        {{"--replay", "a.vxs", "--speed", "3"}, "option '--speed' takes 1, 2, 4 or 8, not '3'"},
        {{"--replay", "a.vxs", "--speed=8x"}, "option '--speed' takes 1, 2, 4 or 8, not '8x'"},
        {{"--replay", "a.vxs", "--speed"}, "option '--speed' needs 1, 2, 4 or 8"},
        {{"--replay", "a.vxs", "--speed=2", "--speed=4"}, "option '--speed' given twice"},
        {{"--speed", "2"}, "option '--speed' is the speed of a replay"},
        {{"--fullscreen=yes"}, "option '--fullscreen' takes no value"},
        {{"--" + huge}, "unknown option '--xxx"},
        {{huge}, "unexpected argument 'xxx"},
    };
    for (const auto& [line, says] : refusals) {
        SCOPED_TRACE(line.front().substr(0, 20));
        const Options options = Parse(line);
        EXPECT_EQ(options.action, Options::Action::Refuse);
        EXPECT_EQ(options.refusal.rfind(says, 0), 0u) << options.refusal;
        EXPECT_LT(options.refusal.size(), 200u);
    }
}

TEST(CommandLine, ADashIsStandardInputAndTheFirstOfHelpAndVersionWins) {
    EXPECT_EQ(Parse({"--replay", "-"}).replayPath, "-");
    EXPECT_EQ(Parse({"--replay", "--", "--"}).replayPath, "--");
    EXPECT_EQ(Parse({"--version", "--help"}).action, Options::Action::ShowVersion);
    EXPECT_EQ(Parse({"--help", "--bogus"}).action, Options::Action::Refuse);
}

TEST(CommandLine, AReplaysSpeedAndFullScreenAreTakenInEitherSpelling) {
    EXPECT_EQ(Parse({"--replay", "a.vxs"}).replaySpeed, 1);
    EXPECT_EQ(Parse({"--speed", "8", "--replay", "a.vxs"}).replaySpeed, 8);
    EXPECT_EQ(Parse({"--replay=a.vxs", "--speed=4"}).replaySpeed, 4);
    EXPECT_FALSE(Parse({}).fullScreen);
    EXPECT_TRUE(Parse({"--fullscreen", "--record", "a.vxs"}).fullScreen);
    // Help is help, whatever else the line holds.
    EXPECT_EQ(Parse({"--speed", "2", "--help"}).action, Options::Action::ShowHelp);
}

}  // namespace

}  // namespace vexmire
