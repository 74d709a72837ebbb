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

#include "game/script_recorder.h"
#include "sim/state_json.h"
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
    RecordingTest() : recorder(recording, "the recording", errors) {
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

    std::ostringstream recording;
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

    const std::string script = recording.str();
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

// Writes the first `capacity` bytes, then fails as a full disk does.
class FillingBuffer : public std::stringbuf {
  public:
    explicit FillingBuffer(size_t capacity) : capacity_(capacity) {}

  protected:
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        const auto room = static_cast<std::streamsize>(capacity_ - str().size());
        if (count > room) return 0;
        return std::stringbuf::xsputn(text, count);
    }
    int_type overflow(int_type c) override {
        if (str().size() >= capacity_) return traits_type::eof();
        return std::stringbuf::overflow(c);
    }

  private:
    size_t capacity_;
};

TEST(ScriptRecorderTest, TicksComeInRunsOfASecondAndAnAnswerBeforeTheTickThatAskedForIt) {
    std::ostringstream out, errors;
    ScriptRecorder recorder(out, "r", errors);
    recorder.NewGame();
    for (int n = 0; n < 70; ++n) recorder.TickRan();
    recorder.KeyDown(39);
    recorder.TickRan();
    recorder.Answer("39 16\r\n");  // inside the second tick after the key
    recorder.TickRan();
    recorder.Answer("");
    recorder.TickRan();
    recorder.KeyUp(-5);
    recorder.Quit();
    recorder.Finish();
    EXPECT_EQ(out.str(),
              "newgame\ntick 64\ntick 6\nkeydown 39\ntick 1\nanswer 39 16  \ntick 1\nanswer\n"
              "tick 1\nkeyup -5\nquit\n");
}

TEST(ScriptRecorderTest, AFullDiskStopsTheRecordingWithOneLineAndTheGameGoesOn) {
    FillingBuffer disk(30);
    std::ostream out(&disk);
    std::ostringstream errors;
    ScriptRecorder recorder(out, "game.vxs", errors);
    recorder.NewGame();
    recorder.KeyDown(39);
    EXPECT_FALSE(recorder.stopped());
    for (int n = 0; n < 200; ++n) recorder.TickRan();
    recorder.KeyUp(39);
    recorder.Finish();
    EXPECT_TRUE(recorder.stopped());
    EXPECT_EQ(disk.str(), "newgame\nkeydown 39\ntick 64\n");
    const std::string said = errors.str();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    EXPECT_NE(said.find("game.vxs"), std::string::npos);
}

}  // namespace

}  // namespace vexmire
