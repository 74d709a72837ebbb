#include "app/options.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vexmire {

namespace {

// Qt's own options, which QApplication takes from the command line itself.
constexpr std::array<std::string_view, 17> kQtOptionsWithValue = {"platform",
                                                                  "platformpluginpath",
                                                                  "platformtheme",
                                                                  "plugin",
                                                                  "qwindowgeometry",
                                                                  "qwindowicon",
                                                                  "qwindowtitle",
                                                                  "session",
                                                                  "display",
                                                                  "geometry",
                                                                  "style",
                                                                  "stylesheet",
                                                                  "name",
                                                                  "title",
                                                                  "visual",
                                                                  "qmljsdebugger",
                                                                  "font"};
constexpr std::array<std::string_view, 5> kQtFlags = {"reverse", "nograb", "dograb", "sync",
                                                      "widgetcount"};

template <size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

Options Refused(std::string why) {
    Options options;
    options.action = Options::Action::Refuse;
    options.refusal = std::move(why);
    return options;
}

}  // namespace

Options ParseOptions(int argc, const char* const* argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::string_view name = arg;
        std::string_view value;
        bool hasValue = false;
        if (name.starts_with("--")) {
            name.remove_prefix(2);
            if (const size_t equals = name.find('='); equals != std::string_view::npos) {
                value = name.substr(equals + 1);
                name = name.substr(0, equals);
                hasValue = true;
            }
        } else if (name.starts_with("-") && name.size() > 1) {
            name.remove_prefix(1);
        } else {
            return Refused("unexpected argument '" + std::string(arg) + "'");
        }

        if (name == "help" || name == "version") {
            if (hasValue) return Refused("option '--" + std::string(name) + "' takes no value");
            // The first of them wins, as the reader of the command line expects.
            if (options.action == Options::Action::Play) {
                options.action =
                    name == "help" ? Options::Action::ShowHelp : Options::Action::ShowVersion;
            }
            continue;
        }
        if (name == "record" || name == "replay") {
            if (!hasValue) {
                if (i + 1 >= argc) {
                    return Refused("option '--" + std::string(name) + "' needs a FILE");
                }
                value = argv[++i];
            }
            if (value.empty()) return Refused("option '--" + std::string(name) + "' needs a FILE");
            (name == "record" ? options.recordPath : options.replayPath) = value;
            continue;
        }
        if (Contains(kQtOptionsWithValue, name)) {
            if (!hasValue) ++i;  // QApplication takes the value with it
            continue;
        }
        if (Contains(kQtFlags, name)) continue;
        return Refused("unknown option '" + std::string(arg) + "'");
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
           "  --replay FILE   play the script FILE back in the game's windows\n"
           "  --help          show this help and leave\n"
           "  --version       show the version and leave\n"
           "\n"
           "Keys: the arrows walk, Space fires, Enter does what the hint offers.\n"
           "Exit status: 0 when the game has ended, 1 when it could not start or FILE could\n"
           "not be read or written, 2 for a command line or a script it cannot take.\n";
}

}  // namespace vexmire
