#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "game/game_snapshot.h"
#include "game/key_codes.h"
#include "game/shell.h"
#include "platform/headless_platform.h"
#include "scene/level_names.h"
#include "script/command_parser.h"
#include "script/script_reader.h"
#include "script/script_recorder.h"
#include "session/session.h"
#include "tests/memory_file.h"

namespace vexmire {

namespace {

// One game played from a list of events, recorded. Where it may rest, the ticks of a run that
// fall while the game rests are counted instead of run, as the desktop's clock counts them, and
// handed over when the next event wakes the game.
class PlayedGame {
  public:
    explicit PlayedGame(bool mayRest)
        : session_(platform_, [](Ending, const std::string&) {}),
          recorder_(file_.fd(), "game", errors_) {
        session_.RecordTo(&recorder_);
        if (mayRest) session_.LetRest([this] { return std::exchange(slept_, 0); });
        Form_Load(session_.game());
    }

    void Play(const PlayerEvent& event) {
        if (event.kind != PlayerEvent::Kind::Tick) {
            session_.Deliver(event);
            return;
        }
        for (int32_t n = 0; n < event.number && !session_.ended(); ++n) {
            if (session_.resting()) {
                ++slept_;
                ++ticksSlept_;
            } else {
                session_.Deliver(PlayerEvent::Ticks(1));
            }
        }
    }

    std::string Recording() {
        session_.End(Ending::WindowClosed);
        return file_.Text();
    }

    Session& session() { return session_; }
    long ticksSlept() const { return ticksSlept_; }

  private:
    HeadlessPlatform platform_;
    Session session_;
    MemoryFile file_;
    std::ostringstream errors_;
    ScriptRecorder recorder_;
    int64_t slept_ = 0;
    long ticksSlept_ = 0;
};

// A recording's events, each run of tick lines between two of them as one total: a game that
// rests writes its ticks up to the rest at once, and so may split a run of them differently.
std::vector<std::string> EventsAndTickTotals(const std::string& recording) {
    std::vector<std::string> events;
    std::istringstream lines(recording);
    long ticks = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("tick ", 0) == 0) {
            ticks += std::stol(line.substr(5));
            continue;
        }
        if (ticks > 0) events.push_back("tick " + std::to_string(std::exchange(ticks, 0)));
        events.push_back(line);
    }
    if (ticks > 0) events.push_back("tick " + std::to_string(ticks));
    return events;
}

// Plays `events` ticking every tick and resting where the game may, and requires the same game
// after every event and the same events and tick totals recorded; returns the ticks the resting
// game slept.
long ExpectRestingChangesNothing(const std::vector<PlayerEvent>& events) {
    PlayedGame ticking(false);
    PlayedGame resting(true);
    for (size_t n = 0; n < events.size(); ++n) {
        ticking.Play(events[n]);
        resting.Play(events[n]);
        const bool same = GameSnapshot(ticking.session().game()).Matches(resting.session().game());
        EXPECT_TRUE(same) << "after event " << n << ": " << FormatEvent(events[n]);
        if (!same || ticking.session().ended()) break;
    }
    const std::vector<std::string> expected = EventsAndTickTotals(ticking.Recording());
    const std::vector<std::string> recorded = EventsAndTickTotals(resting.Recording());
    const auto differ = std::mismatch(expected.begin(), expected.end(), recorded.begin(),
                                      recorded.end());
    EXPECT_EQ(expected, recorded) << "the recordings differ from event "
                                  << differ.first - expected.begin();
    return resting.ticksSlept();
}

std::vector<PlayerEvent> ReadReplay(const std::string& name) {
    std::ifstream file(std::string(VEXMIRE_REPLAYS) + "/" + name);
    ScriptReader reader(file);
    std::vector<PlayerEvent> events;
    std::string line;
    while (reader.Next(line)) {
        if (auto event = ParsePlayerLine(line)) events.push_back(std::move(*event));
    }
    return events;
}

// A player who stands still for long spells, walks about, fires now and then and answers the
// keypad at random, so that the game comes to rest and wakes again many times.
std::vector<PlayerEvent> RandomGame(unsigned seed) {
    std::mt19937 random(seed);
    const auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    const int16_t keys[] = {key::kLeft, key::kUp, key::kRight, key::kDown, key::kEnter, key::kSpace, 65};
    std::vector<PlayerEvent> events{PlayerEvent::NewGame()};
    for (int n = 0; n < 120; ++n) {
        const int16_t key = keys[random() % std::size(keys)];
        if (key == key::kSpace && !chance(10)) continue;
        if (chance(50)) events.push_back(PlayerEvent::KeyDown(key));
        events.push_back(PlayerEvent::Ticks(static_cast<int32_t>(random() % 40)));
        if (chance(70)) events.push_back(PlayerEvent::KeyUp(key));
        if (chance(5)) events.push_back(PlayerEvent::Answer(chance(50) ? "3916" : "0000"));
        events.push_back(PlayerEvent::Ticks(static_cast<int32_t>(random() % (chance(20) ? 400 : 30))));
    }
    return events;
}

TEST(Rest, SkippingTheTicksOfARestLeavesEveryGameAndRecordingAsTickingThemWould) {
    for (const char* replay : {"win_the_game.vxs", "lose_the_game.vxs", "first_shot.vxs",
                               "walk_right_to_wall.vxs"}) {
        SCOPED_TRACE(replay);
        ExpectRestingChangesNothing(ReadReplay(replay));
    }
    long slept = 0;
    for (unsigned seed = 1; seed <= 25; ++seed) {
        SCOPED_TRACE(seed);
        slept += ExpectRestingChangesNothing(RandomGame(seed));
        if (::testing::Test::HasFailure()) return;
    }
    EXPECT_GT(slept, 0) << "the random games never came to rest";
}

// A rest is a tick that changed nothing at all: not a tick that called the platform (the keypad
// asking again for as long as the player stands at it), nor one that moved anything.
TEST(Rest, OnlyATickThatChangesNothingAndCallsNothingIsARest) {
    PlayedGame game(true);
    game.Play(PlayerEvent::NewGame());
    game.Play(PlayerEvent::Ticks(1));
    EXPECT_TRUE(game.session().resting()) << "standing still at the start";
    Game& rules = game.session().game();
    rules.level.player->SetLeft(rules.level.obstacles(28).left());
    rules.level.player->SetTop(rules.level.obstacles(28).top());
    game.Play(PlayerEvent::KeyUp(key::kRight));
    game.Play(PlayerEvent::Ticks(3));
    EXPECT_FALSE(game.session().resting()) << "the keypad asks each tick";
    rules.level.player->SetLeft(24);
    rules.level.player->SetTop(256);
    game.Play(PlayerEvent::Press(key::kSpace));
    for (int n = 0; n < 500; ++n) {
        game.Play(PlayerEvent::Ticks(1));
        ASSERT_FALSE(game.session().resting()) << "a fired ball flies on, tick " << n;
    }
}

// Every property of every entity, and every variable, counts; -0 is not 0.
TEST(GameSnapshot, AnyChangeOfAnyPropertyOrVariableIsOne) {
    HeadlessPlatform platform;
    Game game(platform);
    const std::vector<std::function<void(Entity&)>> changes = {
        [](Entity& e) { e.visible = !e.visible; },
        [](Entity& e) { e.SetLeft(e.left() + 1); },
        [](Entity& e) { e.SetTop(e.top() == 0 ? -0.0f : -e.top()); },
        [](Entity& e) { e.SetWidth(std::nextafter(e.width(), 1e9f)); },
        [](Entity& e) { e.SetHeight(e.height() + 1); },
        [](Entity& e) { e.caption += "x"; },
        [](Entity& e) { e.fillColour ^= 1; },
        [](Entity& e) { e.borderColour ^= 1; },
        [](Entity& e) { e.foreColour ^= 1; },
        [](Entity& e) { e.backColour ^= 1; },
        [](Entity& e) { e.picture = e.picture ? nullptr : &SpriteOf("imgPlayer"); },
        [](Entity& e) { e.enabled = !e.enabled; },
        [](Entity& e) { e.transparent = !e.transparent; },
        [](Entity& e) { e.font.bold = !e.font.bold; },
        [](Entity& e) {
            e.alignment = e.alignment == Alignment::Left ? Alignment::Centre : Alignment::Left;
        },
        [](Entity& e) { e.intervalMs += 1; },
    };
    Entity& tip = *game.level.tip;
    for (size_t n = 0; n < changes.size(); ++n) {
        const GameSnapshot before(game);
        changes[n](tip);
        EXPECT_FALSE(before.Matches(game)) << "change " << n;
    }
    const GameSnapshot before(game);
    tip.caption = tip.caption;  // the same value again: no change
    EXPECT_TRUE(before.Matches(game));
    game.vars.BallDY(19) = 1;
    EXPECT_FALSE(before.Matches(game));
}

}  // namespace

}  // namespace vexmire
