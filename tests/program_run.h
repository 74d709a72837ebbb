#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace vexmire {

// One run of a built program in a process of its own, as the tests of the real program make it.
struct ProgramRun {
    bool finished = false;  // false: still running after a generous limit, and killed
    bool crashed = false;   // ended by a signal
    int status = -1;        // the exit status; -1 when it did not finish or crashed
    QString out;
    QString err;
    QStringList outLines;  // without the empty ones
    QStringList errLines;
};

// Runs `program` with `arguments` in this process's environment less `unset`, plus `set`.
ProgramRun RunProgram(const QString& program, const QStringList& arguments,
                      const QStringList& unset, const QList<std::pair<QString, QString>>& set);

}  // namespace vexmire
