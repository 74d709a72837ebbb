#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "program_run.h"

namespace vexmire {

// Every way a run of the game ends, each in a process of its own: the real program's main(),
// built with tests/ending_probe.cpp, on Qt's offscreen platform.
namespace {

struct Ending {
    const char* name;  // VEXMIRE_PROBE_ENDING
    const char* label;
    QStringList alsoSeen;  // lines the probe prints on the way
};

void PrintTo(const Ending& ending, std::ostream* out) {
    *out << ending.label;
}

ProgramRun RunProbe(const char* ending) {
    return RunProgram(VEXMIRE_ENDING_PROBE, {}, {},
                      {{"QT_QPA_PLATFORM", "offscreen"}, {"VEXMIRE_PROBE_ENDING", ending}});
}

// The tick count printed on the line that starts with `prefix`, or -1.
qint64 TickOn(const QStringList& lines, const QString& prefix) {
    for (const QString& line : lines) {
        if (line.startsWith(prefix)) return line.mid(prefix.size()).toLongLong();
    }
    return -1;
}

class EveryEnding : public testing::TestWithParam<Ending> {};

TEST_P(EveryEnding, EndsTheProcessWithStatusZeroNoFurtherTickAndNoWindowLeft) {
    const Ending& ending = GetParam();
    const ProgramRun run = RunProbe(ending.name);
    const std::string seen = (run.outLines.join('\n') + "\n" + run.err).toStdString();
    ASSERT_TRUE(run.finished) << "the program was still running, and was killed\n" << seen;
    EXPECT_EQ(run.status, 0) << seen;
    for (const QString& line : ending.alsoSeen) EXPECT_TRUE(run.outLines.contains(line)) << seen;
    const qint64 endedAt = TickOn(run.outLines, "ending at tick ");
    ASSERT_GE(endedAt, 0) << seen;
    EXPECT_EQ(TickOn(run.outLines, "quit at tick "), endedAt) << seen;
    EXPECT_TRUE(run.outLines.contains("windows shown 0")) << seen;
}

const Ending kEndings[] = {
    {"quit", "QuitOnTheTitleWindow", {}},
    {"close-title", "ClosingTheTitleWindow", {}},
    {"close-game", "ClosingTheGameWindowWhilePlaying", {"playing"}},
    {"close-at-keypad",
     "ClosingTheGameWindowWhileTheKeypadPromptIsOpen",
     {"playing", "prompt shown", "keys in a dialog changed nothing"}},
    {"fifth-hit",
     "TheFifthHitOnceItsMessageIsClosed",
     {"playing", "message shown", "keys in a dialog changed nothing"}},
    {"win",
     "TheWinOnceItsMessageIsClosed",
     {"playing", "message shown", "keys in a dialog changed nothing"}},
};

INSTANTIATE_TEST_SUITE_P(Program, EveryEnding, testing::ValuesIn(kEndings),
                         [](const testing::TestParamInfo<Ending>& info) {
                             return std::string(info.param.label);
                         });

}  // namespace

}  // namespace vexmire
