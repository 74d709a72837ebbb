#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "sim/command_line.h"
#include "tests/sim_test_support.h"

namespace vexmire {

namespace {

struct CommandLineRun {
    int status = -1;
    std::string out;
    std::string err;
};

CommandLineRun RunWith(const std::vector<std::string_view>& arguments,
                       const std::string& stdinText = "") {
    std::istringstream in(stdinText);
    std::ostringstream out;
    std::ostringstream err;
    CommandLineRun run;
    run.status = RunCommandLine(arguments, in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

size_t LineCount(const std::string& text) {
    size_t count = 0;
    for (const char c : text) count += c == '\n';
    return count;
}

TEST(CommandLine, HelpAndVersionAnswerInsteadOfNamingAScript) {
    const CommandLineRun help = RunWith({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: vexmire-sim [OPTION]... [SCRIPT]\n", 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");

    const CommandLineRun version = RunWith({"--version", "ignored.vxs"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "vexmire-sim " VEXMIRE_VERSION "\n");
}

TEST(CommandLine, ADashOrNoScriptReadsStandardInput) {
    for (const std::vector<std::string_view>& arguments :
         {std::vector<std::string_view>{}, {"-"}, {"--", "-"}}) {
        const CommandLineRun run = RunWith(arguments, "state\n");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(LineCount(run.out), 3u);
    }
}

TEST(CommandLine, TwoDashesEndTheOptionsSoThatAScriptMayStartWithADash) {
    const std::filesystem::path folder = ::testing::TempDir();
    const std::filesystem::path script = folder / "-odd-name";
    std::ofstream(script) << "state\n";
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    const CommandLineRun run = RunWith({"--", "-odd-name"});
    std::filesystem::current_path(home);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(LineCount(run.out), 3u);
    EXPECT_EQ(RunWith({"--", "--help"}).err,
              "vexmire-sim: cannot open --help: No such file or directory\n");
}

TEST(CommandLine, WhatItCannotTakeIsOneLineAndStatusOne) {
    const CommandLineRun unknown = RunWith({"--fast"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err,
              "vexmire-sim: unknown option '--fast'; usage: vexmire-sim [OPTION]... [SCRIPT]\n");

    EXPECT_EQ(
        RunWith({"a.vxs", "b.vxs"}).err,
        "vexmire-sim: unexpected argument 'b.vxs'; usage: vexmire-sim [OPTION]... [SCRIPT]\n");
    EXPECT_EQ(RunWith({"/"}).err, "vexmire-sim: cannot read /: it is a directory\n");
}

TEST(CommandLine, AnOverLongArgumentIsCutInItsMessage) {
    const std::string option = "--" + std::string(5000, 'x');
    const CommandLineRun unknown = RunWith({option});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err, "vexmire-sim: unknown option '" + option.substr(0, 100) +
                               "...'; usage: vexmire-sim [OPTION]... [SCRIPT]\n");

    const std::string name = std::string(5000, 'y') + "\n.vxs";
    const CommandLineRun missing = RunWith({name});
    EXPECT_EQ(missing.status, 1);
    EXPECT_LT(missing.err.size(), 200u);
    EXPECT_EQ(LineCount(missing.err), 1u);
}

}  // namespace

}  // namespace vexmire
