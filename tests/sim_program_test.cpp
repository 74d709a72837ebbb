#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vexmire {

namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

// The built vexmire-sim, whose standard output is a full disk or a reader that has gone away:
// the program's own stream and signal handling decide these, so only a process of its own shows
// them.
TEST(HonestExitStatus, StandardOutputThatNeverArrivesEndsTheProgramWithStatusOne) {
    const fs::path folder = ::testing::TempDir();
    const fs::path script = folder / "states.vxs";
    const fs::path err = folder / "output.err";
    const fs::path status = folder / "output.status";
    {
        std::ofstream states(script);
        for (int i = 0; i < 1000; ++i) states << "state\n";  // far more than a pipe holds
    }

    const std::string full =
        "'" VEXMIRE_SIM "' '" + script.string() + "' > /dev/full 2> '" + err.string() + "'";
    const int code = std::system(full.c_str());
    ASSERT_TRUE(WIFEXITED(code));
    EXPECT_EQ(WEXITSTATUS(code), 1);
    EXPECT_EQ(Contents(err),
              "vexmire-sim: cannot write standard output: No space left on device\n");

    const std::string closed = "{ '" VEXMIRE_SIM "' '" + script.string() + "' 2> '" + err.string() +
                               "'; echo $? > '" + status.string() + "'; } | head -c 1 > /dev/null";
    ASSERT_EQ(std::system(closed.c_str()), 0);
    EXPECT_EQ(Contents(status), "1\n");  // not killed by SIGPIPE, not 0
    EXPECT_EQ(Contents(err), "vexmire-sim: cannot write standard output: Broken pipe\n");
}

}  // namespace

}  // namespace vexmire
