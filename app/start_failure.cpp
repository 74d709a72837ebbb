#include "app/start_failure.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <utility>
#include <vector>

#include <QMessageLogContext>
#include <QString>
#include <QtGlobal>

#include "platform/desktop/process_end.h"

namespace vexmire {

namespace {

constexpr std::string_view kNoDisplay =
    "vexmire: no display to show the game on: start it from a desktop session "
    "(vexmire-sim plays the game without a display)";

struct HeldMessage {
    QtMsgType type;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
void (*displayGone)() = nullptr;
bool starting = true;
std::vector<HeldMessage> heldMessages;

std::string FirstLine(std::string_view text) {
    const auto end = text.find('\n');
    return std::string(text.substr(0, end));
}

bool DisplayNamed() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

[[noreturn]] void Stop(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    // Not exit(): the half-made application would run its teardown on a window system that
    // never came up.
    EndProcess(1);
}

void PassOn(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (previousHandler != nullptr) {
        previousHandler(type, context, text);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
    }
}

// The toolkit's last word before it ends the process because the display server is gone or
// refused it: on X11 it then calls exit(), on Wayland _exit(), which no exit handler hears.
bool SaysTheDisplayIsGone(const QString& text) {
    return text.contains(QStringLiteral(" connection ")) &&
           (text.contains(QStringLiteral("broke")) || text.contains(QStringLiteral("fatal")));
}

// A library that gives up during start-up may end the process itself, after warnings that are
// still held back here (the Wayland client does, when it cannot share memory with the
// compositor). They are the reason: they are said, and a line of the game's own.
void SayWhyTheStartEnded() {
    if (!std::exchange(starting, false)) return;
    std::string warnings;
    for (const HeldMessage& held : std::exchange(heldMessages, {})) {
        std::fprintf(stderr, "%s\n", qPrintable(held.text));
        warnings += held.text.toStdString() + '\n';
    }
    const std::string why = FirstLine(warnings);
    std::fprintf(stderr, "vexmire: cannot start: the window system ended the program%s\n",
                 why.empty() ? "" : (" (" + why + ")").c_str());
    std::fflush(nullptr);
}

void HandleMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::string warnings;
        for (const HeldMessage& held : heldMessages) warnings += held.text.toStdString() + '\n';
        const std::string fatal = text.toStdString();
        Stop(starting ? StartFailureLine(fatal, warnings, DisplayNamed())
                      : "vexmire: the game stopped: " + FirstLine(fatal));
    }
    if (starting) {
        heldMessages.push_back({type, text});
        if (SaysTheDisplayIsGone(text)) SayWhyTheStartEnded();
        return;
    }
    PassOn(type, context, text);
    if (displayGone != nullptr && SaysTheDisplayIsGone(text)) displayGone();
}

// An exception that left main(): no handler of a window let it through, so it came from
// start-up (a level that does not load, memory that ran out).
void HandleTermination() {
    std::string what = "an unknown exception";
    if (const std::exception_ptr thrown = std::current_exception()) {
        try {
            std::rethrow_exception(thrown);
        } catch (const std::exception& exception) {
            what = exception.what();
        } catch (...) {
        }
    }
    Stop((starting ? "vexmire: cannot start: " : "vexmire: the game stopped: ") + FirstLine(what));
}

}  // namespace

StartFailureGuard::StartFailureGuard() {
    starting = true;
    static const bool sayingWhy = std::atexit(SayWhyTheStartEnded) == 0;
    static_cast<void>(sayingWhy);
    previousHandler = qInstallMessageHandler(HandleMessage);
    std::set_terminate(HandleTermination);
}

StartFailureGuard::~StartFailureGuard() {
    Started();
}

void StartFailureGuard::WhenTheDisplayGoes(void (*gone)()) {
    displayGone = gone;
}

void StartFailureGuard::Started() {
    if (!starting) return;
    starting = false;
    for (HeldMessage& held : std::exchange(heldMessages, {})) {
        PassOn(held.type, QMessageLogContext(), held.text);
    }
}

std::string StartFailureLine(std::string_view fatal, std::string_view warnings, bool displayNamed) {
    if (fatal.find("platform plugin") == std::string_view::npos) {
        return "vexmire: cannot start: " + FirstLine(fatal);
    }
    const auto said = [&](std::string_view words) {
        return warnings.find(words) != std::string_view::npos;
    };
    if (said("could not connect to display")) return std::string(kNoDisplay);
    // A window system asked for by name (QT_QPA_PLATFORM) that this machine does not have.
    if (said("Could not find the Qt platform plugin")) {
        const auto at = warnings.find("Could not find the Qt platform plugin");
        return "vexmire: cannot start: " + FirstLine(warnings.substr(at));
    }
    if (!displayNamed) return std::string(kNoDisplay);
    const std::string why = FirstLine(warnings);
    return "vexmire: cannot start: the window system would not open" +
           (why.empty() ? std::string() : " (" + why + ")");
}

}  // namespace vexmire
