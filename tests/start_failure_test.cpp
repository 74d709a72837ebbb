#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QString>
#include <QStringList>

#include "program_run.h"

namespace vexmire {

// A start that cannot succeed, and a fault of the program while it runs, each in a process of
// its own: one line on standard error, exit status 1, never an abort.
namespace {

const QStringList kDisplayVariables = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};

void ExpectOneLineAndStatusOne(const ProgramRun& run) {
    const std::string seen = run.errLines.join('\n').toStdString();
    ASSERT_TRUE(run.finished) << "still running, and killed\n" << seen;
    EXPECT_FALSE(run.crashed) << "ended by a signal (an abort leaves a core)\n" << seen;
    EXPECT_EQ(run.status, 1) << seen;
    ASSERT_EQ(run.errLines.size(), 1) << seen;
    EXPECT_TRUE(run.errLines[0].startsWith("vexmire: ")) << seen;
}

TEST(StartWithoutADisplay, SaysSoInOneLineAndNamesTheWayToPlayWithoutOne) {
    const ProgramRun run = RunProgram(VEXMIRE_PROGRAM, {}, kDisplayVariables, {});
    ExpectOneLineAndStatusOne(run);
    ASSERT_FALSE(run.errLines.isEmpty());
    EXPECT_TRUE(run.errLines[0].contains("desktop session")) << run.errLines[0].toStdString();
    EXPECT_TRUE(run.errLines[0].contains("vexmire-sim")) << run.errLines[0].toStdString();
}

TEST(StartWithoutADisplay, ADisplayNamedButNotThereIsNoDisplayEither) {
    // No X server answers on display 4711 of this machine.
    const ProgramRun run = RunProgram(VEXMIRE_PROGRAM, {}, kDisplayVariables,
                                      {{"DISPLAY", ":4711"}, {"QT_QPA_PLATFORM", "xcb"}});
    ExpectOneLineAndStatusOne(run);
    ASSERT_FALSE(run.errLines.isEmpty());
    EXPECT_TRUE(run.errLines[0].contains("desktop session")) << run.errLines[0].toStdString();
}

TEST(StartWithoutADisplay, AWindowSystemThatDoesNotExistIsOneLineToo) {
    const ProgramRun run = RunProgram(VEXMIRE_PROGRAM, {}, kDisplayVariables,
                                      {{"QT_QPA_PLATFORM", "no-such-window-system"}});
    ExpectOneLineAndStatusOne(run);
    ASSERT_FALSE(run.errLines.isEmpty());
    EXPECT_TRUE(run.errLines[0].contains("no-such-window-system")) << run.errLines[0].toStdString();
}

TEST(StartWithoutADisplay, LeavesTheFileItWasToRecordIntoAsItWasAndTheReplayUnread) {
    QTemporaryDir folder;
    const QString earlier = folder.filePath("earlier.vxs");
    const QByteArray kept = "# an earlier game\nnewgame\ntick 64\n";
    QFile file(earlier);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kept);
    file.close();
    const QString fifo = folder.filePath("fifo");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);

    // The display is looked for before the replay is read: no writer to the FIFO is waited for.
    const ProgramRun run = RunProgram(VEXMIRE_PROGRAM, {"--record", earlier, "--replay", fifo},
                                      kDisplayVariables, {});
    ExpectOneLineAndStatusOne(run);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kept);
}

TEST(FaultOfTheProgram, AFaultInAKeyHandlerEndsWithOneLineInsteadOfCrossingTheEventLoop) {
    const ProgramRun run =
        RunProgram(VEXMIRE_ENDING_PROBE, {}, {},
                   {{"QT_QPA_PLATFORM", "offscreen"}, {"VEXMIRE_PROBE_ENDING", "fault"}});
    const std::string seen = run.errLines.join('\n').toStdString();
    ASSERT_TRUE(run.finished) << "still running, and killed\n" << seen;
    EXPECT_FALSE(run.crashed) << seen;
    EXPECT_EQ(run.status, 1) << seen;
    // Qt's offscreen platform has its own notes to make on the way; the game's is the last line.
    ASSERT_FALSE(run.errLines.isEmpty());
    EXPECT_EQ(run.errLines.filter(QRegularExpression("^vexmire: ")).size(), 1) << seen;
    EXPECT_TRUE(run.errLines.last().startsWith("vexmire: ")) << seen;
    EXPECT_TRUE(run.errLines.last().contains("shpBall(")) << seen;
    EXPECT_TRUE(run.out.contains("playing")) << run.out.toStdString();
}

}  // namespace

}  // namespace vexmire
