#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vexmire {

namespace {

std::string Contents(const std::filesystem::path& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

// Standard output on a full disk, or read by a program that stops reading: only the built
// vexmire-sim, with its own streams and signals, shows how these end.
TEST(HonestExitStatus, StandardOutputThatNeverArrivesEndsTheProgramWithStatusOne) {
    const std::filesystem::path folder = ::testing::TempDir();
    const std::string script = (folder / "states.vxs").string();
    const std::string err = (folder / "output.err").string();
    const std::string status = (folder / "output.status").string();
    std::ofstream states(script);
    for (int i = 0; i < 1000; ++i) states << "state\n";  // far more than a pipe holds
    states.close();

    const int full =
        std::system(("'" VEXMIRE_SIM "' '" + script + "' > /dev/full 2> '" + err + "'").c_str());
    EXPECT_TRUE(WIFEXITED(full) && WEXITSTATUS(full) == 1);
    EXPECT_EQ(Contents(err),
              "vexmire-sim: cannot write standard output: No space left on device\n");

    const int closed = std::system(("{ '" VEXMIRE_SIM "' '" + script + "' 2> '" + err +
                                    "'; echo $? > '" + status + "'; } | head -c 1 > /dev/null")
                                       .c_str());
    EXPECT_EQ(closed, 0);
    EXPECT_EQ(Contents(status), "1\n");  // neither killed by SIGPIPE nor 0
    EXPECT_EQ(Contents(err), "vexmire-sim: cannot write standard output: Broken pipe\n");
}

}  // namespace

}  // namespace vexmire
