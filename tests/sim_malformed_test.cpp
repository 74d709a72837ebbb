#include <gtest/gtest.h>

#include <string>

#include "script/script_reader.h"
#include "tests/sim_test_support.h"

namespace vexmire {

namespace {

struct BadLine {
    const char* label;  // names the case in the test's name
    std::string line;
    std::string says;  // part of the message
};

void PrintTo(const BadLine& bad, std::ostream* out) {
    *out << bad.label;
}

class MalformedLines : public testing::TestWithParam<BadLine> {};

// Each bad line comes second, after a line that prints: the run stops at it with status 2 and
// one line on standard error naming it, and keeps what the first line printed.
TEST_P(MalformedLines, StopWithStatusTwoAndOneLineNamingTheLine) {
    const BadLine& bad = GetParam();
    const SimRun run = RunSim("state\n" + bad.line + "\nstate\n");
    EXPECT_EQ(run.status, 2);
    ASSERT_EQ(run.lines.size(), 3u) << "start-up and the first state only";
    EXPECT_TRUE(nlohmann::json::parse(run.lines[2]).contains("state"));
    EXPECT_EQ(run.err.rfind("vexmire-sim: line 2: ", 0), 0u) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_NE(run.err.find(bad.says), std::string::npos) << run.err;
}

const BadLine kBadLines[] = {
    {"UnknownCommand", "jump 3", "unknown command \"jump\""},
    {"CommandInOtherCase", "Tick", "unknown command \"Tick\""},
    {"IndentedCommand", "  tick", "beginning of its line"},
    {"TabInsteadOfSpace", "tick\t5", "unknown command \"tick\\t5\""},
    {"DoubleSpace", "keydown  39", "stray space"},
    {"TrailingSpace", "tick 5 ", "stray space"},
    {"KeyCodeMissing", "keydown", "usage: keydown CODE"},
    {"TwoKeyCodes", "press 39 40", "usage: press CODE"},
    {"KeyCodeTooBig", "keydown 32768", "out of range (-32768 to 32767)"},
    {"KeyCodeTooSmall", "keyup -32769", "out of range"},
    {"KeyCodeHuge", "keydown 99999999999999999999999", "out of range"},
    {"KeyCodeNotANumber", "press space", "not a whole decimal number"},
    {"KeyCodeHex", "keydown 0x27", "not a whole decimal number"},
    {"KeyCodeWithPlus", "keydown +39", "not a whole decimal number"},
    {"KeyCodeDecimal", "keydown 39.0", "not a whole decimal number"},
    {"TickCountTooBig", "tick 10000001", "out of range (0 to 10000000)"},
    {"TickCountNegative", "tick -1", "out of range"},
    {"TickCountExponent", "tick 1e3", "not a whole decimal number"},
    {"NewGameWithArgument", "newgame now", "usage: newgame"},
    {"StateWithArgument", "state 1", "usage: state"},
    {"RenderWithoutFile", "render", "usage: render FILE"},
    {"SetAlone", "set", "usage: set NAME PROP VALUE"},
    {"SetWithoutProperty", "set imgPlayer", "usage: set NAME PROP VALUE"},
    {"SetWithoutValue", "set imgPlayer Left", "Left needs a value"},
    {"SetEmptyValue", "set imgPlayer Left ", "Left needs a value"},
    {"SetTwoValues", "set imgPlayer Left 1 2", "Left takes one value"},
    {"UnknownEntity", "set imgNobody Left 1", "unknown entity \"imgNobody\""},
    {"UnknownFamily", "set shpNothing(1) Left 1", "unknown entity \"shpNothing\""},
    {"IndexOutOfFamily", "set shpObstacle(40) Left 1", "members 0 to 39"},
    {"NegativeIndex", "set shpBall(-1) Left 1", "members 0 to 19"},
    {"IndexNotANumber", "set shpGlass(x) Left 1", "not a whole decimal number"},
    {"IndexNotClosed", "set shpGlass(1 Left 1", "NAME(INDEX)"},
    {"FamilyWithoutIndex", "set shpLife Visible 0", "is a family"},
    {"IndexOnASingleEntity", "set imgPlayer(0) Left 1", "is not a family"},
    {"TheTimer", "set tmr Left 1", "the timer tmr cannot be set"},
    {"UnknownProperty", "set imgPlayer Colour 1", "unknown property \"Colour\""},
    {"PropertyInOtherCase", "set imgPlayer left 1", "unknown property \"left\""},
    {"NotANumber", "set imgPlayer Left abc", "not a decimal number"},
    {"NaN", "set imgPlayer Left nan", "not a decimal number"},
    {"Infinity", "set imgPlayer Top inf", "not a decimal number"},
    {"Exponent", "set imgPlayer Left 1e5", "not a decimal number"},
    {"Hexadecimal", "set imgPlayer Left 0x10", "not a decimal number"},
    {"PointWithoutFraction", "set imgPlayer Width 1.", "not a decimal number"},
    {"FractionWithoutWholePart", "set imgPlayer Width .5", "not a decimal number"},
    {"DecimalComma", "set imgPlayer Width 1,5", "not a decimal number"},
    {"TooBigForSinglePrecision", "set imgPlayer Height 340282356779733661637539395458142568448",
     "out of range for a single-precision number"},
    {"TooSmallForSinglePrecision",
     "set imgPlayer Height 0.0000000000000000000000000000000000000000000000000001",
     "out of range for a single-precision number"},
    {"FlagWord", "set imgPlayer Visible yes", "Visible takes true, false, 1 or 0"},
    {"FlagNumber", "set imgPlayer Visible 2", "Visible takes true, false, 1 or 0"},
    {"EnabledOnAShape", "set shpObstacle(3) Enabled true", "Enabled is for an Image only"},
    {"EnabledOnALabel", "set lblTip Enabled true", "Enabled is for an Image only"},
    {"CaptionOnAnImage", "set imgPlayer Caption hello", "Caption is for a Label only"},
    {"PictureOnALabel", "set lblTip Picture imgRPlayer", "Picture is for an Image only"},
    {"PictureOfALabel", "set imgPlayer Picture lblTip", "Picture takes the name of an image"},
    {"PictureOfNothing", "set imgPlayer Picture imgNobody", "unknown entity \"imgNobody\""},
    {"VarAlone", "var", "usage: var NAME VALUE"},
    {"VarWithoutValue", "var shotsFired", "usage: var NAME VALUE"},
    {"UnknownVariable", "var score 1", "unknown variable \"score\""},
    {"TimerIsNoVariable", "var tmr 1", "unknown variable \"tmr\""},
    {"VariableTooBig", "var shotsFired 32768", "out of range (-32768 to 32767)"},
    {"VariableNotANumber", "var targetX left", "not a whole decimal number"},
    {"BallOutOfTheArray", "var ballDX(20) 1", "out of range (0 to 19)"},
    {"BallNegative", "var ballDY(-1) 1", "out of range (0 to 19)"},
    {"ArrayWithoutIndex", "var ballDX 1", "ballDX(K) with K from 0 to 19"},
    {"ArrayIndexNotClosed", "var ballDY(3 1", "ballDY(K) with K from 0 to 19"},
    {"NotUtf8InACommand", "tick\xFF", "not valid UTF-8"},
    {"NotUtf8InAnAnswer", "answer caf\xE9", "not valid UTF-8"},
    {"NotUtf8InACaption", "set lblTip Caption caf\xE9", "not valid UTF-8"},
    {"NotUtf8InAComment", "# caf\xE9", "not valid UTF-8"},
    {"OverlongUtf8", "answer \xC0\xAF", "not valid UTF-8"},
    {"Utf8Surrogate", "answer \xED\xA0\x80", "not valid UTF-8"},
    {"Utf8BeyondTheLastCharacter", "answer \xF4\x90\x80\x80", "not valid UTF-8"},
    {"CutUtf8", "answer \xE2\x82", "not valid UTF-8"},
    {"LineOfOneMegabyte", "answer " + std::string(1 << 20, 'a'), "longer than 65536 bytes"},
    {"LongLineOfNothing", std::string(kMaxLineBytes + 1, ' '), "longer than 65536 bytes"},
};

INSTANTIATE_TEST_SUITE_P(Driver, MalformedLines, testing::ValuesIn(kBadLines),
                         [](const testing::TestParamInfo<BadLine>& info) {
                             return std::string(info.param.label);
                         });

TEST(MalformedLineMessages, QuoteLongTextShortAndOnOneLine) {
    const SimRun run = RunSim("answer ok\n" + std::string(100, 'x') + "\r\r\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "vexmire-sim: line 2: unknown command \"" + std::string(40, 'x') + "\"...\n");
    const SimRun carriageReturn = RunSim("tick\rtick\n");
    EXPECT_EQ(carriageReturn.err, "vexmire-sim: line 1: unknown command \"tick\\rtick\"\n");
}

TEST(MalformedLineMessages, NameTheLineCountingBlankLinesAndComments) {
    const SimRun run = RunSim("\n# comment\n\ntick 2\nwalk\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "vexmire-sim: line 5: unknown command \"walk\"\n");
}

TEST(MalformedLineMessages, ALineLongerThanTheLimitIsNotReadWhole) {
    std::string script = "tick\n" + std::string(kMaxLineBytes, 'z') + "\n";
    EXPECT_EQ(RunSim(script).err, "vexmire-sim: line 2: unknown command \"" + std::string(40, 'z') +
                                      "\"...\n");  // at the limit: read
    script = "tick\n" + std::string(kMaxLineBytes + 1, 'z');
    EXPECT_EQ(RunSim(script).err, "vexmire-sim: line 2: the line is longer than 65536 bytes\n");
}

}  // namespace

}  // namespace vexmire
