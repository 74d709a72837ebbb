#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace vexmire {

// A start that cannot succeed, and a fault of the program while it runs, each in a process of
// its own: one line on standard error, exit status 1, never an abort.
namespace {

struct ProgramRun {
    bool finished = false;
    bool crashed = false;
    int status = -1;
    QStringList errorLines;
    QString output;
};

constexpr int kHungAfterMs = 120'000;

ProgramRun RunProgram(const char* program, const QStringList& unset,
                      const QList<std::pair<QString, QString>>& set) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : unset) environment.remove(name);
    for (const auto& [name, value] : set) environment.insert(name, value);
    process.setProcessEnvironment(environment);
    process.start(program, {});
    ProgramRun run;
    run.finished = process.waitForFinished(kHungAfterMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.crashed = process.exitStatus() != QProcess::NormalExit;
    run.status = run.crashed ? -1 : process.exitCode();
    run.errorLines =
        QString::fromUtf8(process.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    run.output = QString::fromUtf8(process.readAllStandardOutput());
    return run;
}

const QStringList kDisplayVariables = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};

void ExpectOneLineAndStatusOne(const ProgramRun& run) {
    const std::string seen = run.errorLines.join('\n').toStdString();
    ASSERT_TRUE(run.finished) << "still running, and killed\n" << seen;
    EXPECT_FALSE(run.crashed) << "ended by a signal (an abort leaves a core)\n" << seen;
    EXPECT_EQ(run.status, 1) << seen;
    ASSERT_EQ(run.errorLines.size(), 1) << seen;
    EXPECT_TRUE(run.errorLines[0].startsWith("vexmire: ")) << seen;
}

TEST(StartWithoutADisplay, SaysSoInOneLineAndNamesTheWayToPlayWithoutOne) {
    const ProgramRun run = RunProgram(VEXMIRE_PROGRAM, kDisplayVariables, {});
    ExpectOneLineAndStatusOne(run);
    ASSERT_FALSE(run.errorLines.isEmpty());
    EXPECT_TRUE(run.errorLines[0].contains("desktop session")) << run.errorLines[0].toStdString();
    EXPECT_TRUE(run.errorLines[0].contains("vexmire-sim")) << run.errorLines[0].toStdString();
}

TEST(StartWithoutADisplay, ADisplayNamedButNotThereIsNoDisplayEither) {
    // No X server answers on display 4711 of this machine.
    const ProgramRun run = RunProgram(VEXMIRE_PROGRAM, kDisplayVariables,
                                      {{"DISPLAY", ":4711"}, {"QT_QPA_PLATFORM", "xcb"}});
    ExpectOneLineAndStatusOne(run);
    ASSERT_FALSE(run.errorLines.isEmpty());
    EXPECT_TRUE(run.errorLines[0].contains("desktop session")) << run.errorLines[0].toStdString();
}

TEST(StartWithoutADisplay, AWindowSystemThatDoesNotExistIsOneLineToo) {
    const ProgramRun run = RunProgram(VEXMIRE_PROGRAM, kDisplayVariables,
                                      {{"QT_QPA_PLATFORM", "no-such-window-system"}});
    ExpectOneLineAndStatusOne(run);
    ASSERT_FALSE(run.errorLines.isEmpty());
    EXPECT_TRUE(run.errorLines[0].contains("no-such-window-system"))
        << run.errorLines[0].toStdString();
}

TEST(FaultOfTheProgram, AFaultInAKeyHandlerEndsWithOneLineInsteadOfCrossingTheEventLoop) {
    const ProgramRun run =
        RunProgram(VEXMIRE_ENDING_PROBE, {},
                   {{"QT_QPA_PLATFORM", "offscreen"}, {"VEXMIRE_PROBE_ENDING", "fault"}});
    const std::string seen = run.errorLines.join('\n').toStdString();
    ASSERT_TRUE(run.finished) << "still running, and killed\n" << seen;
    EXPECT_FALSE(run.crashed) << seen;
    EXPECT_EQ(run.status, 1) << seen;
    // Qt's offscreen platform has its own notes to make on the way; the game's is the last line.
    ASSERT_FALSE(run.errorLines.isEmpty());
    EXPECT_EQ(run.errorLines.filter(QRegularExpression("^vexmire: ")).size(), 1) << seen;
    EXPECT_TRUE(run.errorLines.last().startsWith("vexmire: ")) << seen;
    EXPECT_TRUE(run.errorLines.last().contains("shpBall(")) << seen;
    EXPECT_TRUE(run.output.contains("playing")) << run.output.toStdString();
}

}  // namespace

}  // namespace vexmire
