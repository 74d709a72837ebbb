#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sstream>
#include <string>

#include "script/script_reader.h"
#include "tests/sim_test_support.h"

namespace vexmire {

namespace {

using nlohmann::json;

json Player(const json& state) {
    return EntityIn(state, "imgPlayer");
}

// The ways a script ends and what it prints on the way.

TEST(Script, AnEmptyScriptOnlyStartsUp) {
    const SimRun run = RunSim("");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.lines, kStartEvents);
    EXPECT_EQ(run.err, "");
}

TEST(Script, BlankLinesAndCommentsAreIgnored) {
    const SimRun run = RunSim("\n   \n# a comment\n\t# another\n \t \n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.lines, kStartEvents);
}

TEST(Script, CarriageReturnLineEndsReadTheSame) {
    const SimRun run = RunSim(
        "newgame\r\nset imgPlayer Left 120\r\nset imgPlayer Top 480\r\nanswer 3916\r\ntick\r\n"
        "state\r\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(json::parse(run.lines[4]).at("answer"), "3916");
}

TEST(Script, AByteOrderMarkIsPassedOverAtTheStartOfTheScriptOnly) {
    std::istringstream marked("\xEF\xBB\xBFtick\n\xEF\xBB\xBFtick\n");
    ScriptReader reader(marked);
    std::string first;
    std::string second;
    ASSERT_TRUE(reader.Next(first) && reader.Next(second));
    EXPECT_EQ(first, "tick");
    EXPECT_EQ(second, "\xEF\xBB\xBFtick");  // text of its line, refused as a command
    // The mark does not count against the length of the first line.
    EXPECT_EQ(RunSim("\xEF\xBB\xBF#" + std::string(kMaxLineBytes - 1, 'x') + "\n").status, 0);
}

TEST(Script, TheLastLineNeedsNoLineEnd) {
    const SimRun run = RunSim("tick 3\nstate");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.LastState().at("ticks"), 3);
}

// The title window's buttons.

TEST(Commands, QuitEndsTheRunAndNoFurtherLineIsRead) {
    const SimRun run = RunSim("quit\nthis line is never read\nstate\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    ASSERT_EQ(run.lines.size(), 5u);
    EXPECT_EQ(run.lines[3], R"({"event":"end"})");
}

// Keys.

TEST(Commands, KeyDownTurnsAndStartsThePlayerAndKeyUpStopsIt) {
    const json walking = RunSim("keydown 40\nstate\n").LastState();
    EXPECT_EQ(walking.at("vars").at("playerDY"), 2);
    EXPECT_EQ(Player(walking).at("picture"), "imgDPlayer");
    const json stopped = RunSim("keydown 40\nkeyup 16\nstate\n").LastState();
    EXPECT_EQ(stopped.at("vars").at("playerDY"), 0);
    EXPECT_EQ(Player(stopped).at("picture"), "imgDPlayer");
}

TEST(Commands, PressIsKeyDownThenKeyUp) {
    const json state = RunSim("press 38\nstate\n").LastState();
    EXPECT_EQ(state.at("vars").at("playerDY"), 0);
    EXPECT_EQ(Player(state).at("picture"), "imgUPlayer");
}

TEST(Commands, KeyCodesCoverTheWholeSixteenBitRange) {
    const SimRun run = RunSim("keydown -32768\nkeyup 32767\npress 0\nstate\n");
    EXPECT_EQ(run.status, 0) << run.err;
}

TEST(Commands, EverySpacePressFiresTheNextBallUntilTheRowIsEmpty) {
    std::string script;
    for (int n = 0; n < 25; ++n) script += "press 32\n";
    const json state = RunSim(script + "tick\nstate\n").LastState();
    EXPECT_EQ(state.at("vars").at("shotsFired"), 20);
    for (int k = 0; k < 20; ++k) EXPECT_EQ(state.at("vars").at("ballDX")[k], 10);
}

// Ticks.

TEST(Commands, TickRunsOneTickOrAsManyAsAsked) {
    EXPECT_EQ(RunSim("tick\nstate\n").LastState().at("ticks"), 1);
    EXPECT_EQ(RunSim("tick 0\nstate\n").LastState().at("ticks"), 0);
    const json state = RunSim("keydown 39\ntick 5\ntick 2\nstate\n").LastState();
    EXPECT_EQ(state.at("ticks"), 7);
    EXPECT_EQ(Player(state).at("left"), 24 + 7 * 2);
}

TEST(Commands, TheFirstShotCrossesTheStartRoomAndLeavesPlayAtWallTen) {
    const SimRun run = RunSim("newgame\npress 32\nstate\ntick 18\nstate\ntick\nstate\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto parsed = run.Parsed();
    const json& fired = parsed[4].at("state");
    EXPECT_EQ(EntityIn(fired, "shpBall(0)").at("left"), 54);
    EXPECT_EQ(EntityIn(fired, "shpBall(0)").at("top"), 274);
    EXPECT_EQ(fired.at("vars").at("ballDX")[0], 10);
    EXPECT_EQ(fired.at("vars").at("ballDY")[0], 0);
    EXPECT_EQ(EntityIn(parsed[5].at("state"), "shpBall(0)").at("left"), 234);
    const json& out = EntityIn(parsed[6].at("state"), "shpBall(0)");
    EXPECT_EQ(out.at("top"), -99999);
    EXPECT_EQ(out.at("left"), -99989);  // out of play, it still moves by its velocity
}

TEST(Commands, TheGameEndingInATickStopsTheTicksPrintsTheStateAndEndsTheRun) {
    const SimRun run = RunSim(
        "var hitsTaken 4\nset shpeBall Left 30\nset shpeBall Top 260\ntick 1000\n"
        "keydown 12345678\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    ASSERT_EQ(run.lines.size(), 5u);
    EXPECT_EQ(json::parse(run.lines[2]), json({{"event", "message"},
                                               {"text", "You have run out of health!"},
                                               {"title", "Game Over!"}}));
    EXPECT_EQ(run.lines[3], R"({"event":"end"})");
    const json state = json::parse(run.lines[4]).at("state");
    EXPECT_EQ(state.at("ticks"), 1);
    EXPECT_EQ(state.at("vars").at("hitsTaken"), 5);
}

// Answers.

TEST(Commands, AnswersAreUsedFirstInFirstOutAndKeptExactly) {
    const SimRun run = RunSim(
        "set imgPlayer Left 124\nset imgPlayer Top 476\nanswer  spaced out \nanswer\n"
        "set imgPlayer Width 1\nset imgPlayer Height 1\ntick 3\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 5u);
    EXPECT_EQ(json::parse(run.lines[2]).at("answer"), " spaced out ");
    EXPECT_EQ(json::parse(run.lines[3]).at("answer"), "");
    EXPECT_EQ(json::parse(run.lines[4]).at("answer"), "");  // nothing queued: Cancel
}

TEST(Commands, TheRightCodeOpensTheJailDoor) {
    const json state = RunSim(
                           "set imgPlayer Left 124\nset imgPlayer Top 476\nanswer 3916\ntick\n"
                           "state\n")
                           .LastState();
    EXPECT_EQ(EntityIn(state, "shpObstacle(1)").at("left"), -100);
}

// Setting properties and variables.

TEST(Commands, SetChangesGeometryAndFlags) {
    const json state =
        RunSim(
            "set shpObstacle(23) Left 440\nset shpObstacle(23) Top -5\nset shpObstacle(23) Width "
            "9.5\n"
            "set shpObstacle(23) Height 25\nset shpObstacle(23) Visible true\n"
            "set imgenemy Visible 0\nset imgenemy Enabled false\nset imgUEnemy Enabled 1\nstate\n")
            .LastState();
    const json& key = EntityIn(state, "shpObstacle(23)");
    EXPECT_EQ(key.at("left"), 440);
    EXPECT_EQ(key.at("top"), -5);
    EXPECT_EQ(key.at("width"), 9.5);
    EXPECT_EQ(key.at("height"), 25);
    EXPECT_EQ(key.at("visible"), true);
    EXPECT_EQ(EntityIn(state, "imgenemy").at("visible"), false);
    EXPECT_EQ(EntityIn(state, "imgenemy").at("enabled"), false);
    EXPECT_EQ(EntityIn(state, "imgUEnemy").at("enabled"), true);
}

// Zone 24 (Left 0, Top 0, 1 × 97) reaches the player at its start only when it is both wider
// and taller; each is set after a tick has tested the zone as it was, so the next tick shows
// whether the contact test saw the change.
TEST(Commands, EverySetOfGeometryReachesTheNextTicksContactTests) {
    for (const std::string first : {"Width 60", "Height 300"}) {
        const std::string second = first == "Width 60" ? "Height 300" : "Width 60";
        const json state = RunSim("tick\nset shpObstacle(24) " + first +
                                  "\ntick\nset shpObstacle(24) " + second + "\ntick\nstate\n")
                               .LastState();
        EXPECT_EQ(EntityIn(state, "shpObstacle(24)").at("left"), -100) << first;
    }
    // Left and Top: the player put on zone 21 after a tick wakes the enemy at the next.
    const json woken =
        RunSim("tick\nset imgPlayer Left 128\nset imgPlayer Top 150\ntick\nstate\n").LastState();
    EXPECT_EQ(EntityIn(woken, "shpObstacle(21)").at("left"), -100);
    EXPECT_EQ(woken.at("vars").at("targetX"), 128);
}

TEST(Commands, SetCaptionTakesTheRestOfTheLineAndEnterActsOnIt) {
    const SimRun run = RunSim(
        "set lblTip Caption Press Enter to defuse the bomb, which explodes with rainbows\n"
        "state\nkeydown 13\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto parsed = run.Parsed();
    EXPECT_EQ(EntityIn(parsed[2].at("state"), "lblTip").at("caption"),
              "Press Enter to defuse the bomb, which explodes with rainbows");
    EXPECT_EQ(parsed[3], json({{"event", "message"},
                               {"text", "You win, congradulations"},
                               {"title", "Game Over!"}}));
    EXPECT_EQ(parsed[4], json({{"event", "end"}}));
}

TEST(Commands, SetCaptionMayBeEmpty) {
    EXPECT_EQ(EntityIn(RunSim("set lblAmmo Caption\nstate\n").LastState(), "lblAmmo").at("caption"),
              "");
    EXPECT_EQ(
        EntityIn(RunSim("set lblAmmo Caption \nstate\n").LastState(), "lblAmmo").at("caption"), "");
}

TEST(Commands, SetPictureSharesTheOtherImagesSpriteAndTheFacingFollowsIt) {
    const json state = RunSim("set imgPlayer Picture imgUPlayer\npress 32\nstate\n").LastState();
    EXPECT_EQ(Player(state).at("picture"), "imgUPlayer");
    EXPECT_EQ(state.at("vars").at("ballDX")[0], 0);
    EXPECT_EQ(state.at("vars").at("ballDY")[0], -10);
}

TEST(Commands, VarSetsEveryGameVariable) {
    const json state =
        RunSim(
            "var shotsFired 3\nvar playerDX -2\nvar playerDY 2\nvar enemyShotDX -32768\n"
            "var enemyShotDY 32767\nvar targetX 100\nvar targetY -100\nvar hitsTaken 1\n"
            "var ballDX(0) 10\nvar ballDY(19) -10\nstate\n")
            .LastState();
    const json& vars = state.at("vars");
    EXPECT_EQ(vars.at("shotsFired"), 3);
    EXPECT_EQ(vars.at("playerDX"), -2);
    EXPECT_EQ(vars.at("playerDY"), 2);
    EXPECT_EQ(vars.at("enemyShotDX"), -32768);
    EXPECT_EQ(vars.at("enemyShotDY"), 32767);
    EXPECT_EQ(vars.at("targetX"), 100);
    EXPECT_EQ(vars.at("targetY"), -100);
    EXPECT_EQ(vars.at("hitsTaken"), 1);
    EXPECT_EQ(vars.at("ballDX")[0], 10);
    EXPECT_EQ(vars.at("ballDY")[19], -10);
}

// Failures that are not the script's fault as written.

TEST(Failures, RenderThatCannotWriteItsFileFailsWithOneLine) {
    const SimRun run = RunSim("state\nrender /nonexistent-folder/shot.png\nstate\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.lines.size(), 3u);  // the first state is kept, the second never printed
    EXPECT_EQ(run.err.rfind("vexmire-sim: line 2: render: ", 0), 0u) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);
}

TEST(Failures, RenderToAFullDiskFailsWithStatusOne) {
    const SimRun run = RunSim("render /dev/full\nstate\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.lines, kStartEvents);
    EXPECT_EQ(run.err, "vexmire-sim: line 1: render: cannot write /dev/full: " +
                           std::string(std::strerror(ENOSPC)) + "\n");
}

TEST(Failures, TooManyShotsSetByVarAreAProgrammingFaultAtTheNextTick) {
    const SimRun run = RunSim("newgame\nvar shotsFired 25\ntick\nstate\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.lines.size(), 4u);  // start-up and the new game are kept
    EXPECT_EQ(run.err,
              "vexmire-sim: line 3: programming fault: shpBall(24) does not exist: the family "
              "has 20 members\n");
}

TEST(Failures, ANegativeShotCountIsAProgrammingFaultAtTheNextShot) {
    const SimRun run = RunSim("var shotsFired -3\npress 32\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("vexmire-sim: line 2: programming fault: ", 0), 0u) << run.err;
}

TEST(Failures, AHugeRectangleSetBySetIsAProgrammingFaultAtTheNextTick) {
    const SimRun run =
        RunSim("set shpBall(5) Left 340282346638528859811704183484516925440\nstate\ntick\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.lines.size(), 3u);
    EXPECT_EQ(run.err.rfind("vexmire-sim: line 3: programming fault: rectangle left", 0), 0u)
        << run.err;
}

// The player against a wall.

TEST(Walking, ThePlayerWalkingRightStopsAtWallTenNeverMoreThanTwoPixelsInside) {
    std::string script = "newgame\nkeydown 39\n";
    for (int tick = 0; tick < 100; ++tick) script += "tick\nstate\n";
    const SimRun run = RunSim(script);
    ASSERT_EQ(run.status, 0) << run.err;
    constexpr int kWallTenLeft = 240;
    int deepest = -1000;
    for (const json& line : run.Parsed()) {
        if (!line.contains("state")) continue;
        const json player = Player(line.at("state"));
        EXPECT_EQ(player.at("top"), 256);
        const int inside = player.at("left").get<int>() + 30 - kWallTenLeft;
        EXPECT_LE(inside, 2) << "at tick " << line.at("state").at("ticks");
        deepest = std::max(deepest, inside);
    }
    EXPECT_EQ(deepest, 2);
    const json last = run.LastState();
    EXPECT_EQ(Player(last).at("left"), 212);
    EXPECT_EQ(last.at("vars").at("playerDX"), 2);
}

}  // namespace

}  // namespace vexmire
