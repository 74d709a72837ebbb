#include <gtest/gtest.h>

#include <cfloat>
#include <cstdlib>
#include <string>

#include "script/numbers.h"
#include "tests/sim_test_support.h"

namespace vexmire {

namespace {

using nlohmann::json;

// The raw text of one entity in a state line, from its name to the end of its object.
std::string RawEntity(const std::string& stateLine, const std::string& name) {
    const size_t start = stateLine.find("{\"name\":\"" + name + "\"");
    if (start == std::string::npos) return "";
    return stateLine.substr(start, stateLine.find('}', start) - start + 1);
}

TEST(StateNumbers, WholeValuesHaveNoDecimalPoint) {
    EXPECT_EQ(FormatGeometry(-99999.0f), "-99999");
    EXPECT_EQ(FormatGeometry(0.0f), "0");
    EXPECT_EQ(FormatGeometry(838.0f), "838");
    EXPECT_EQ(FormatGeometry(FLT_MAX), "340282346638528859811704183484516925440");
}

TEST(StateNumbers, OtherValuesAreTheShortestDecimalThatReadsBack) {
    EXPECT_EQ(FormatGeometry(2.5f), "2.5");
    EXPECT_EQ(FormatGeometry(0.1f), "0.1");
    EXPECT_EQ(FormatGeometry(-0.3f), "-0.3");
    EXPECT_EQ(FormatGeometry(0.00001f), "0.00001");  // never 1e-05
    for (float value : {0.1f, 1.0f / 3.0f, 1e-7f, 1e-45f, 123456.79f, 16777217.0f, 3e20f}) {
        const std::string text = FormatGeometry(value);
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        EXPECT_EQ(std::strtof(text.c_str(), nullptr), value) << text;
    }
}

TEST(StateNumbers, DecimalGeometryIsPrintedAsSinglePrecisionReadsIt) {
    const SimRun run = RunSim(
        "set imgPlayer Left 2.5\nset imgPlayer Top 0.1\nset imgPlayer Width 0.00001\n"
        "set imgPlayer Height -99999\nstate\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(RawEntity(run.lines.back(), "imgPlayer"),
              R"({"name":"imgPlayer","kind":"Image","left":2.5,"top":0.1,"width":0.00001,)"
              R"("height":-99999,"visible":true,"enabled":true,"picture":"imgRPlayer"})");
}

TEST(StateObject, ListsTheNinetyOneEntitiesInStackingOrderWithoutTheTimer) {
    const SimRun run = RunSim("state\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const json state = run.LastState();
    const json& entities = state.at("entities");
    ASSERT_EQ(entities.size(), 91u);
    EXPECT_EQ(entities.front().at("name"), "shpObstacle(24)");
    EXPECT_EQ(entities.back().at("name"), "shpObstacle(1)");
    for (const json& entity : entities) EXPECT_NE(entity.at("name"), "tmr");
}

TEST(StateObject, WritesTheFoldedBallRowOut) {
    const json state = RunSim("state\n").LastState();
    const json& entities = state.at("entities");
    size_t first = 0;
    while (first < entities.size() && entities[first].at("name") != "shpBall(0)") ++first;
    ASSERT_LT(first + 20, entities.size());
    EXPECT_EQ(entities[first].at("left"), 416);
    for (int k = 19; k >= 1; --k) {
        const json& ball = entities[first + 20 - static_cast<size_t>(k)];
        EXPECT_EQ(ball.at("name"), "shpBall(" + std::to_string(k) + ")");
        EXPECT_EQ(ball.at("left"), 416 - 16 * k);
    }
}

TEST(StateObject, ShowsTheRowsOfTheLevelAsTheContractShowsThem) {
    const SimRun run = RunSim("state\n");
    const std::string& line = run.lines.back();
    EXPECT_EQ(RawEntity(line, "shpObstacle(24)"),
              R"j({"name":"shpObstacle(24)","kind":"Shape","left":0,"top":0,"width":1,)j"
              R"("height":97,"visible":false,"shape":"Rectangle","fillColor":"0x00FFC0FF"})");
    EXPECT_EQ(RawEntity(line, "imgenemy"),
              R"({"name":"imgenemy","kind":"Image","left":96,"top":24,"width":30,"height":30,)"
              R"("visible":true,"enabled":true,"picture":"imgenemy"})");
    EXPECT_EQ(RawEntity(line, "lblTip"),
              R"({"name":"lblTip","kind":"Label","left":568,"top":704,"width":201,"height":49,)"
              R"("visible":true,"caption":""})");
}

TEST(StateObject, NamesShapesAndColours) {
    const json state = RunSim("state\n").LastState();
    EXPECT_EQ(EntityIn(state, "shpeBall").at("shape"), "Circle");
    EXPECT_EQ(EntityIn(state, "shpeBall").at("fillColor"), "0x000000FF");
    EXPECT_EQ(EntityIn(state, "shpBall(7)").at("shape"), "Oval");
    EXPECT_EQ(EntityIn(state, "shpBall(7)").at("fillColor"), "0x0000FFFF");
    EXPECT_EQ(EntityIn(state, "shpObstacle(17)").at("fillColor"), "0x00C00000");
    EXPECT_EQ(EntityIn(state, "shpObstacle(31)").at("fillColor"), "0x00C0C000");
    EXPECT_EQ(EntityIn(state, "lblAmmo").at("caption"), "Ammo:");
}

TEST(StateObject, NamesPicturesByTheImageTheLevelGivesThemTo) {
    const json atLoad = RunSim("state\n").LastState();
    EXPECT_EQ(EntityIn(atLoad, "imgPlayer").at("picture"), "imgRPlayer");
    EXPECT_EQ(EntityIn(atLoad, "imgDEnemy").at("picture"), "imgDEnemy");
    const json turned = RunSim("keydown 37\nstate\n").LastState();
    EXPECT_EQ(EntityIn(turned, "imgPlayer").at("picture"), "imgLPlayer");
}

TEST(StateObject, HoldsTheTenVariablesAndTheTicks) {
    const json state = RunSim("var ballDX(19) -7\nvar ballDY(0) 3\ntick 4\nstate\n").LastState();
    EXPECT_EQ(state.at("ticks"), 4);
    const json& vars = state.at("vars");
    EXPECT_EQ(vars.size(), 10u);
    for (const char* name : {"shotsFired", "playerDX", "playerDY", "enemyShotDX", "enemyShotDY",
                             "targetX", "targetY", "hitsTaken"}) {
        EXPECT_EQ(vars.at(name), 0) << name;
    }
    ASSERT_EQ(vars.at("ballDX").size(), 20u);
    ASSERT_EQ(vars.at("ballDY").size(), 20u);
    EXPECT_EQ(vars.at("ballDX")[19], -7);
    EXPECT_EQ(vars.at("ballDY")[0], 3);
}

TEST(StateObject, CaptionsAreEscaped) {
    const SimRun run = RunSim("set lblTip Caption a \"quoted\" \\ caf\xC3\xA9\tend \nstate\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(EntityIn(run.LastState(), "lblTip").at("caption"),
              "a \"quoted\" \\ caf\xC3\xA9\tend ");
}

TEST(Events, StartUpHidesTheGameWindowAndShowsTheTitle) {
    const SimRun run = RunSim("");
    EXPECT_EQ(run.lines, kStartEvents);
}

TEST(Events, NewGameShowsTheGameWindowAndHidesTheTitle) {
    const SimRun run = RunSim("newgame\n");
    ASSERT_EQ(run.lines.size(), 4u);
    EXPECT_EQ(run.lines[2], R"({"event":"window","window":"Form1","visible":true})");
    EXPECT_EQ(run.lines[3], R"({"event":"window","window":"Form2","visible":false})");
}

TEST(Events, TheNoteOpensAMessageBox) {
    const SimRun run = RunSim("set imgPlayer Left 830\nset imgPlayer Top 130\ntick\n");
    ASSERT_EQ(run.lines.size(), 3u);
    EXPECT_EQ(json::parse(run.lines[2]), json({{"event", "message"},
                                               {"text", "You have found a note, it says: 3916"},
                                               {"title", "Clue!"}}));
}

TEST(Events, TheKeypadPromptShowsWhatItReturned) {
    const SimRun run = RunSim("set imgPlayer Left 120\nset imgPlayer Top 480\nanswer 3916\ntick\n");
    ASSERT_EQ(run.lines.size(), 3u);
    EXPECT_EQ(json::parse(run.lines[2]), json({{"event", "prompt"},
                                               {"text", "Enter The Key-Code"},
                                               {"title", "Key Pad"},
                                               {"answer", "3916"}}));
}

TEST(Events, QuitBeepsThenEnds) {
    const SimRun run = RunSim("quit\n");
    ASSERT_EQ(run.lines.size(), 5u);
    EXPECT_EQ(run.lines[2], R"({"event":"beep"})");
    EXPECT_EQ(run.lines[3], R"({"event":"end"})");
    EXPECT_TRUE(json::parse(run.lines[4]).contains("state"));
}

}  // namespace

}  // namespace vexmire
