#include "app/options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/replay.h"
#include "script/malformed_line.h"

namespace vexmire {

namespace {

// Qt's own options, which QApplication takes from the command line itself, each spelled with one
// dash or two, its value the next argument: those of any platform, then those of X11.
constexpr std::array<std::string_view, 16> kQtOptionsWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin",   "qwindowgeometry",
    "qwindowtitle", "qwindowicon", "session", "style", "stylesheet",
    "display", "geometry", "title", "icon", "name", "visual"};
// The only ones Qt also takes as NAME=VALUE in one argument.
constexpr std::array<std::string_view, 3> kQtOptionsJoined = {"style", "stylesheet",
                                                              "qmljsdebugger"};
constexpr std::array<std::string_view, 6> kQtFlags = {"reverse", "nograb", "dograb",
                                                      "sync", "widgetcount", "testability"};

// An argument is named in a message only so far: a command line may hold anything.
constexpr size_t kLongestEcho = 80;

template <size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string Echo(std::string_view arg) {
    return "'" + Shortened(arg, kLongestEcho) + "'";
}

// A replay's speed as written; 0 for anything that is not one.
int SpeedOf(std::string_view text) {
    int speed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), speed);
    if (error != std::errc() || end != text.data() + text.size()) return 0;
    return Replay::IsSpeed(speed) ? speed : 0;
}

Options Refused(std::string why) {
    Options options;
    options.action = Options::Action::Refuse;
    options.refusal = std::move(why);
    return options;
}

// One argument taken apart: its dashes, its name and, where it is joined by '=', its value.
struct Argument {
    std::string_view dashes;
    std::string_view name;
    std::string_view value;
    bool joined = false;
};

Argument TakeApart(std::string_view arg) {
    Argument taken;
    taken.dashes = arg.substr(0, arg.starts_with("--") ? 2 : 1);
    taken.name = arg.substr(taken.dashes.size());
    if (const size_t equals = taken.name.find('='); equals != std::string_view::npos) {
        taken.value = taken.name.substr(equals + 1);
        taken.name = taken.name.substr(0, equals);
        taken.joined = true;
    }
    return taken;
}

// The value of an option that takes one, joined by '=' or in the next argument; nothing, with
// `refusal` said, when there is none.
std::optional<std::string_view> TakeValue(const Argument& option, int argc, const char* const* argv,
                                          int& i, const std::string& needs, std::string& refusal) {
    std::string_view value = option.value;
    if (!option.joined) {
        if (i + 1 >= argc) {
            refusal = "option '--" + std::string(option.name) + "' needs " + needs;
            return std::nullopt;
        }
        value = argv[++i];
    }
    if (value.empty()) {
        refusal = "option '--" + std::string(option.name) + "' needs " + needs;
        return std::nullopt;
    }
    return value;
}

}  // namespace

Options ParseOptions(int argc, const char* const* argv) {
    Options options;
    bool speedGiven = false;
    std::string refusal;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") {
            // The game takes no operands: whatever follows is one too many.
            if (i + 1 < argc) return Refused("unexpected argument " + Echo(argv[i + 1]));
            break;
        }
        if (!arg.starts_with("-") || arg == "-") {
            return Refused("unexpected argument " + Echo(arg));
        }
        const Argument option = TakeApart(arg);
        const std::string_view name = option.name;

        if (option.dashes == "--" && (name == "help" || name == "version")) {
            if (option.joined) return Refused("option '--" + std::string(name) + "' takes no value");
            // The first of them wins, as the reader of the command line expects.
            if (options.action == Options::Action::Play) {
                options.action =
                    name == "help" ? Options::Action::ShowHelp : Options::Action::ShowVersion;
            }
            continue;
        }
        if (option.dashes == "--" && (name == "record" || name == "replay")) {
            const std::string spelled = "'--" + std::string(name) + "'";
            std::string& path = name == "record" ? options.recordPath : options.replayPath;
            if (!path.empty()) return Refused("option " + spelled + " given twice");
            const auto value = TakeValue(option, argc, argv, i, "a FILE", refusal);
            if (!value) return Refused(refusal);
            path = *value;
            continue;
        }
        if (option.dashes == "--" && name == "speed") {
            if (std::exchange(speedGiven, true)) return Refused("option '--speed' given twice");
            const auto value = TakeValue(option, argc, argv, i, "1, 2, 4 or 8", refusal);
            if (!value) return Refused(refusal);
            options.replaySpeed = SpeedOf(*value);
            if (options.replaySpeed == 0) {
                return Refused("option '--speed' takes 1, 2, 4 or 8, not " + Echo(*value));
            }
            continue;
        }
        if (option.dashes == "--" && name == "fullscreen") {
            if (option.joined) return Refused("option '--fullscreen' takes no value");
            options.fullScreen = true;
            continue;
        }
        if (option.joined ? Contains(kQtOptionsJoined, name) : Contains(kQtFlags, name)) continue;
        if (!option.joined && Contains(kQtOptionsWithValue, name)) {
            // QApplication takes the value with it.
            if (i + 1 >= argc) return Refused("option " + Echo(arg) + " needs a value");
            ++i;
            continue;
        }
        return Refused("unknown option " + Echo(arg));
    }
    if (speedGiven && options.replayPath.empty() && options.action == Options::Action::Play) {
        return Refused("option '--speed' is the speed of a replay: it needs '--replay FILE'");
    }
    return options;
}

std::string VersionText() {
    return "vexmire " VEXMIRE_VERSION "\n";
}

std::string HelpText() {
    return "Usage: vexmire [OPTION]...\n"
           "Play Vexmire, a one-screen action-puzzle maze.\n"
           "\n"
           "  --record FILE   write every event that reaches the game to FILE, line by line,\n"
           "                  as a script that vexmire-sim and --replay play again\n"
           "  --replay FILE   play the script FILE back in the game's windows (- reads it\n"
           "                  from standard input)\n"
           "  --speed N       play the replay at N times the game's pace: 1, 2, 4 or 8\n"
           "  --fullscreen    show the game full screen (F11 goes back to the window)\n"
           "  --help          show this help and leave\n"
           "  --version       show the version and leave\n"
           "\n"
           "Qt's own options (-platform NAME, -display NAME, -style NAME, ...) are passed on\n"
           "to Qt; vexmire(6) lists the ones taken.\n"
           "\n"
           "Keys in the game:\n"
           "  arrows, W A S D  walk (hold two of them to walk diagonally)\n"
           "  Space            fire a ball the way the figure faces\n"
           "  Enter            do what the hint at the bottom right offers\n"
           "  P, Pause         pause, and go on\n"
           "  F11              full screen, and back to the window\n"
           "  (W A S D are the keys at those places, whatever letters the layout puts there)\n"
           "A game controller:\n"
           "  D-pad, stick     walk, as the arrows do (the left stick)\n"
           "  South (A)        fire, as Space does\n"
           "  East (B)         do what Enter does\n"
           "  Start            pause, and go on; unplugging the controller pauses too\n"
           "  South, Start     New Game on the title, OK in a message\n"
           "Keys while watching a replay:\n"
           "  Space, P, Pause  pause, and go on\n"
           "  Right, +         twice as fast, up to 8x\n"
           "  Left, -          half as fast, down to 1x\n"
           "  F11              full screen, and back to the window\n"
           "\n"
           "Exit status: 0 when the game has ended, 1 when it could not start or FILE could\n"
           "not be read or written, 2 for a command line or a script it cannot take.\n";
}

}  // namespace vexmire
