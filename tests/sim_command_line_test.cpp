#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "sim/command_line.h"

namespace vexmire {

namespace {

struct CommandLineRun {
    int status = -1;
    std::string out;
    std::string err;
};

CommandLineRun RunWith(const std::vector<std::string_view>& arguments,
                       const std::string& script = "") {
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCommandLine(arguments, in, out, err);
    return {status, out.str(), err.str()};
}

const std::string kUsage = "; usage: vexmire-sim [OPTION]... [SCRIPT]\n";

TEST(CommandLine, HelpAndVersionAnswerInsteadOfNamingAScript) {
    const CommandLineRun help = RunWith({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: vexmire-sim [OPTION]... [SCRIPT]\n")) << help.out;
    EXPECT_EQ(RunWith({"--version", "ignored.vxs"}).out, "vexmire-sim " VEXMIRE_VERSION "\n");
}

TEST(CommandLine, ADashReadsStandardInputAndTwoDashesEndTheOptions) {
    EXPECT_EQ(RunWith({"-"}, "state\n").status, 0);
    EXPECT_EQ(RunWith({"--", "--help"}).err,
              "vexmire-sim: cannot open --help: No such file or directory\n");
}

TEST(CommandLine, WhatItCannotTakeIsOneShortLineAndStatusOne) {
    const CommandLineRun unknown = RunWith({"--fast"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err, "vexmire-sim: unknown option '--fast'" + kUsage);
    EXPECT_EQ(RunWith({"a.vxs", "b.vxs"}).err, "vexmire-sim: unexpected argument 'b.vxs'" + kUsage);

    const std::string longOption = "--" + std::string(5000, 'x');
    EXPECT_EQ(RunWith({longOption}).err,
              "vexmire-sim: unknown option '" + longOption.substr(0, 100) + "...'" + kUsage);
    EXPECT_EQ(RunWith({"a\nb"}).err, "vexmire-sim: cannot open a b: No such file or directory\n");
}

}  // namespace

}  // namespace vexmire
