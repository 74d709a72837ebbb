#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include <QEvent>
#include <QInputDialog>
#include <QLineEdit>
#include <QTimer>

#include "script/script_recorder.h"
#include "sim/state_json.h"
#include "tests/memory_file.h"
#include "tests/qt_game_fixture.h"
#include "tests/sim_test_support.h"

namespace vexmire {

// A game played through the game window's own key and tick paths is recorded, and the recording
// played through vexmire-sim comes to the very same game.
namespace {

const std::map<int, int> kQtKeys = {{13, Qt::Key_Return}, {32, Qt::Key_Space}, {37, Qt::Key_Left},
                                    {38, Qt::Key_Up},     {39, Qt::Key_Right}, {40, Qt::Key_Down}};

class RecordingTest : public QtGameTest {
  protected:
    RecordingTest() : recorder(recording.fd(), "the recording", errors) {
        EXPECT_TRUE(recorder.Begin());
        windows.RecordTo(recorder);
        // Whatever dialog the game opens is closed as a player would close it, after a tick
        // has fallen due in it and been held back.
        QObject::connect(&dialogWatch, &QTimer::timeout, [this] { AnswerOpenDialog(); });
        dialogWatch.start(0);
    }

    void AnswerOpenDialog() {
        QDialog* dialog = OpenDialog();
        if (dialog == nullptr) return;
        const int64_t before = ticksRun();
        clock.Advance(std::chrono::seconds(1));
        gameWindow.ticks().Poll();
        EXPECT_EQ(ticksRun(), before) << "a tick ran inside a dialog";
        ++dialogsClosed;
        if (auto* prompt = qobject_cast<QInputDialog*>(dialog)) {
            prompt->findChild<QLineEdit*>()->setText(QString::fromStdString(nextAnswer));
            nextAnswer.clear();
        }
        dialog->accept();
    }

    // Plays a script's keys and ticks as key events and paced ticks of the window.
    void Play(const std::string& path, int leaveKeyboardAtTick) {
        std::ifstream script(path);
        ASSERT_TRUE(script) << path;
        std::string verb;
        int ticks = 0;
        for (std::string line; std::getline(script, line);) {
            std::istringstream words(line);
            if (!(words >> verb) || verb[0] == '#') continue;
            if (verb == "newgame") NewGame();
            if (verb == "answer") nextAnswer = line.substr(7);
            int number = 1;
            words >> number;
            if (verb == "keydown" || verb == "press")
                SendKey(&gameWindow, QEvent::KeyPress, Key(number));
            if (verb == "keyup" || verb == "press") {
                SendKey(&gameWindow, QEvent::KeyRelease, Key(number));
            }
            for (int n = 0; verb == "tick" && n < number && exits == 0; ++n) {
                if (++ticks == leaveKeyboardAtTick) LeaveAndComeBack();
                NextTick();
            }
        }
    }

    static int Key(int code) { return kQtKeys.at(code); }

    // Another application takes the keyboard in the middle of a walk, for a while in which
    // ticks fall due and are held back; back at the game the player presses on.
    void LeaveAndComeBack() {
        const int16_t walking = game.vars.playerDX > 0   ? 39
                                : game.vars.playerDX < 0 ? 37
                                : game.vars.playerDY > 0 ? 40
                                                         : 38;
        QEvent leave(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(&gameWindow, &leave);
        const int64_t before = ticksRun();
        clock.Advance(std::chrono::seconds(2));
        gameWindow.ticks().Poll();
        EXPECT_EQ(ticksRun(), before);
        QEvent back(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&gameWindow, &back);
        SendKey(&gameWindow, QEvent::KeyPress, Key(walking));
    }

    MemoryFile recording;
    std::ostringstream errors;
    ScriptRecorder recorder;
    QTimer dialogWatch;
    std::string nextAnswer;
    int dialogsClosed = 0;
};

TEST_F(RecordingTest, AWholeGameWonInTheWindowReplaysToTheSameWin) {
    Play(VEXMIRE_REPLAYS "/win_the_game.vxs", 100);
    recorder.Finish();
    ASSERT_EQ(exits, 1) << "the game was not won";
    EXPECT_EQ(dialogsClosed, 3);  // the clue, the keypad, the winning message

    const std::string script = recording.Text();
    EXPECT_EQ(script.rfind("# vexmire ", 0), 0u);
    EXPECT_NE(script.find("answer 3916\ntick "), std::string::npos);
    // The held arrow counted as released when the keyboard went elsewhere.
    EXPECT_NE(script.find("keyup 38\nkeydown 38\n"), std::string::npos) << script;

    const SimRun replayed = RunSim(script);
    ASSERT_EQ(replayed.status, 0) << replayed.err;
    const auto events = replayed.Parsed();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[events.size() - 3]["text"], "You win, congradulations");
    EXPECT_EQ(events[events.size() - 2]["event"], "end");
    const nlohmann::json inWindow =
        nlohmann::json::parse(StateLine(game, static_cast<uint64_t>(ticksRun())));
    EXPECT_EQ(replayed.LastState(), inWindow["state"]);
    EXPECT_TRUE(errors.str().empty());
}

int RecordedTicks(const std::string& script) {
    std::istringstream lines(script);
    int ticks = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("tick ", 0) == 0) ticks += std::stoi(line.substr(5));
    }
    return ticks;
}

// At rest the window sets no timer; the ticks it slept through are recorded when the next event
// wakes it, as many as had fallen due on the grid, and the recording replays to the same game.
TEST_F(RecordingTest, AtRestTheWindowSleepsAndTheRecordingStillCountsEveryTick) {
    gameWindow.LetRest();
    for (int n = 0; n < 3; ++n) NextTick();
    EXPECT_EQ(ticksRun(), 1) << "the title window's hidden game ticked on at rest";
    EXPECT_FALSE(gameWindow.ticks().scheduled());
    clock.Advance(std::chrono::seconds(10));
    NewGame();
    EXPECT_EQ(RecordedTicks(recording.Text()), 3 + 640);
    // The tick before the rest is written at once; the ten seconds slept through, on waking.
    EXPECT_EQ(recording.Text().find("tick 1\n"), recording.Text().find('\n') + 1);
    EXPECT_NE(recording.Text().find("tick 2\nnewgame\n"), std::string::npos);

    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Right);
    for (int n = 0; n < 20; ++n) NextTick();
    SendKey(&gameWindow, QEvent::KeyRelease, Qt::Key_Right);
    for (int n = 0; n < 100; ++n) NextTick();
    EXPECT_EQ(ticksRun(), 1 + 20 + 1) << "walking ticks each tick, standing still rests";
    QEvent leave(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(&gameWindow, &leave);
    clock.Advance(std::chrono::seconds(5));  // away: no time of the game's
    QEvent back(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&gameWindow, &back);
    for (int n = 0; n < 30; ++n) NextTick();
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Space);
    for (int n = 0; n < 5; ++n) NextTick();
    windows.session.Wake();
    recorder.Finish();

    const std::string script = recording.Text();
    EXPECT_EQ(RecordedTicks(script), 3 + 640 + 20 + 100 + 30 + 5) << script;
    const SimRun replayed = RunSim(script + "state\n");
    ASSERT_EQ(replayed.status, 0) << replayed.err;
    EXPECT_EQ(replayed.LastState(),
              nlohmann::json::parse(StateLine(game, static_cast<uint64_t>(RecordedTicks(script))))
                  ["state"]);
}

}  // namespace

}  // namespace vexmire
