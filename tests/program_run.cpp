#include "program_run.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace vexmire {

namespace {

// No run waits for anything but the window system and the game's own pace (a replay of the
// whole won game takes most of a minute), so a run that takes this long did not end.
constexpr int kHungAfterMs = 300'000;

}  // namespace

ProgramRun RunProgram(const QString& program, const QStringList& arguments,
                      const QStringList& unset, const QList<std::pair<QString, QString>>& set) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : unset) environment.remove(name);
    for (const auto& [name, value] : set) environment.insert(name, value);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ProgramRun run;
    run.finished = process.waitForFinished(kHungAfterMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.crashed = process.exitStatus() != QProcess::NormalExit;
    run.status = run.finished && !run.crashed ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    run.outLines = run.out.split('\n', Qt::SkipEmptyParts);
    run.errLines = run.err.split('\n', Qt::SkipEmptyParts);
    return run;
}

}  // namespace vexmire
