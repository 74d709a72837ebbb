#include <gtest/gtest.h>

#include <sys/stat.h>

#include <csignal>
#include <fstream>
#include <sstream>
#include <string>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include "program_run.h"
#include "tests/sim_test_support.h"

namespace vexmire {

// The real program, started as a player starts it: its options, its recordings and its
// replays, each run a process of its own on Qt's offscreen platform.
namespace {

// A recording that has not grown its first two seconds by then belongs to a game that never
// started.
constexpr int kHungAfterMs = 300'000;

// What the game said, as the checks below read it.
struct GameRun {
    int status = -1;
    std::string out;
    std::string err;
};

GameRun RunGame(const QStringList& arguments) {
    const ProgramRun run =
        RunProgram(VEXMIRE_PROGRAM, arguments, {}, {{"QT_QPA_PLATFORM", "offscreen"}});
    return {run.status, run.out.toStdString(), run.err.toStdString()};
}

std::string ReadFile(const QString& path) {
    std::ifstream file(path.toStdString(), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

struct Refusal {
    QStringList arguments;
    int status;
    std::string says;
};

TEST(ProgramOptionsTest, ABadCommandLineOrFileIsRefusedInOneLineBeforeAnyWindow) {
    QTemporaryDir folder;
    const QString notAPlayer = folder.filePath("set.vxs");
    QFile(notAPlayer).open(QIODevice::WriteOnly);
    std::ofstream(notAPlayer.toStdString()) << "newgame\ntick 3\nset imgPlayer Left 400\n";
    const QString malformed = folder.filePath("bad.vxs");
    std::ofstream(malformed.toStdString()) << "newgame\nkeydown right\n";
    const QString huge = folder.filePath("huge.vxs");
    std::ofstream(huge.toStdString()) << std::string(16 * 1024 * 1024 + 1, '\n');
    const QString fifo = folder.filePath("fifo");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);

    const Refusal refusals[] = {
        {{"--bogus"}, 2, "unknown option '--bogus'"},
        {{"--record"}, 2, "'--record' needs a FILE"},
        {{"--replay="}, 2, "'--replay' needs a FILE"},
        {{"game.vxs"}, 2, "unexpected argument 'game.vxs'"},
        {{"--replay", folder.filePath("missing.vxs")}, 1, "cannot read"},
        {{"--replay", folder.path()}, 1, "cannot read"},
        {{"--record", folder.filePath("no/such/folder.vxs")}, 1, "cannot write"},
        {{"--record", "/dev/full"}, 1, "cannot write /dev/full"},
        {{"--record", fifo}, 1, "cannot write " + fifo.toStdString() + ": no program reads"},
        {{"--replay", notAPlayer}, 2, "set.vxs:3: \"set\" is not an event a player makes"},
        {{"--replay", malformed}, 2, "bad.vxs:2: "},
        {{"--replay", huge}, 2, "huge.vxs: the script is longer than 16 MiB"},
        {{"--replay", malformed, "--record", malformed}, 2, "it is the replay being played"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.arguments.join(' ').toStdString());
        const GameRun run = RunGame(refusal.arguments);
        EXPECT_EQ(run.status, refusal.status);
        EXPECT_EQ(run.err.rfind("vexmire: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(refusal.says), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST(ProgramOptionsTest, HelpAndVersionAnswerAndLeave) {
    const GameRun help = RunGame({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--record FILE"), std::string::npos);
    EXPECT_NE(help.out.find("--replay FILE"), std::string::npos);
    const GameRun version = RunGame({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "vexmire " VEXMIRE_VERSION "\n");
}

// The replay is played in the windows and recorded again: the new recording, run through the
// driver, comes to exactly the state and the ending that the script itself comes to. The won
// game, four times as long, is played back in process (qt_replay_test.cpp).
void ExpectTheReplayEndsAsItsScript(const char* name, const char* lastMessage) {
    const std::string script = std::string(VEXMIRE_REPLAYS "/") + name;
    QTemporaryDir folder;
    const QString again = folder.filePath("again.vxs");
    const GameRun run = RunGame({"--replay", QString::fromStdString(script), "--record", again});
    ASSERT_EQ(run.status, 0) << run.err;

    const SimRun original = RunSim(ReadFile(QString::fromStdString(script)));
    const SimRun replayed = RunSim(ReadFile(again));
    ASSERT_EQ(replayed.status, 0) << replayed.err;
    const auto events = replayed.Parsed();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[events.size() - 3]["text"], lastMessage);
    EXPECT_EQ(events[events.size() - 2]["event"], "end");
    EXPECT_EQ(replayed.LastState(), original.LastState());
}

TEST(ProgramReplayTest, TheLostGamePlayedBackInTheWindowsEndsInTheLoss) {
    ExpectTheReplayEndsAsItsScript("lose_the_game.vxs", "You have run out of health!");
}

// Starts the game recording into `path`, lets it play until the recording holds `played`, then
// sends it `signal`. A player standing still would let the game rest and record nothing for a
// while: the game plays a replay of a walk instead, which ticks as its script says.
void PlayUntilRecordedThenSignal(QProcess& game, const QString& path, const std::string& played,
                                 int signal) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    game.setProcessEnvironment(environment);
    const QString walk = path + ".walk.vxs";
    std::ofstream(walk.toStdString()) << "newgame\nkeydown 40\ntick 100000\n";
    game.start(VEXMIRE_PROGRAM, {"--replay", walk, "--record", path});
    ASSERT_TRUE(game.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (ReadFile(path).find(played) == std::string::npos && waited.elapsed() < kHungAfterMs) {
        QThread::msleep(20);
    }
    ::kill(static_cast<pid_t>(game.processId()), signal);
}

TEST(ProgramRecordTest, ARecordingCutShortByAKillReplaysUpToItsLastCompleteLine) {
    QTemporaryDir folder;
    const QString path = folder.filePath("killed.vxs");
    QProcess game;
    // Two whole seconds of ticks, then the kill.
    ASSERT_NO_FATAL_FAILURE(PlayUntilRecordedThenSignal(game, path, "tick 64\ntick 64\n", SIGKILL));
    game.waitForFinished();

    const std::string recording = ReadFile(path);
    ASSERT_NE(recording.find("tick 64\ntick 64\n"), std::string::npos);
    ASSERT_EQ(recording.back(), '\n');
    int ticks = 0;
    std::istringstream lines(recording);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("tick ", 0) == 0) ticks += std::stoi(line.substr(5));
    }
    const SimRun replayed = RunSim(recording + "state\n");
    ASSERT_EQ(replayed.status, 0) << replayed.err;
    EXPECT_EQ(replayed.LastState()["ticks"], ticks);
}

// Asked to stop from outside the desktop (the session ending, Ctrl+C, the terminal closing), the
// game ends as closing its window ends it: status 0, and its recording finished.
TEST(ProgramRecordTest, AStopSignalEndsTheGameAsClosingItsWindowDoes) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        QTemporaryDir folder;
        const QString path = folder.filePath("stopped.vxs");
        QProcess game;
        ASSERT_NO_FATAL_FAILURE(PlayUntilRecordedThenSignal(game, path, "tick 64\n", signal));
        ASSERT_TRUE(game.waitForFinished(kHungAfterMs));
        EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(game.exitCode(), 0);

        const std::string recording = ReadFile(path);
        ASSERT_NE(recording.find("tick 64\n"), std::string::npos);
        const SimRun replayed = RunSim(recording + "state\n");
        EXPECT_EQ(replayed.status, 0) << replayed.err;
    }
}

}  // namespace

}  // namespace vexmire
