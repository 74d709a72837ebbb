#include "sim/run_script.h"

#include <exception>
#include <string>

#include "game/platform.h"
#include "scene/program_fault.h"
#include "script/command_parser.h"
#include "script/malformed_line.h"
#include "script/script_reader.h"
#include "sim/sim_driver.h"

namespace vexmire {

namespace {

constexpr int kMalformed = 2;
constexpr int kFailed = 1;

// A message of the rules may in principle hold a line end; the report must stay one line.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return text;
}

void Flush(std::ostream& out) {
    out.flush();
    CheckOutput(out);
}

void Say(std::ostream& err, int line, const std::string& what) {
    err << "vexmire-sim: ";
    if (line > 0) err << "line " << line << ": ";
    err << OneLine(what) << '\n';
    err.flush();
}

// What earlier lines printed goes out first; when it cannot, that is the failure to report, since
// a reader of standard output has missed lines either way.
int Report(std::ostream& out, std::ostream& err, int line, const std::string& what, int status) {
    try {
        Flush(out);
    } catch (const OutputFailed& failed) {
        Say(err, 0, failed.what());
        return kFailed;
    }
    Say(err, line, what);
    return status;
}

}  // namespace

int RunScript(std::istream& in, std::ostream& out, std::ostream& err) {
    ScriptReader reader(in);
    try {
        SimDriver driver(out);
        try {
            driver.Start();
            Flush(out);
            std::string line;
            while (reader.Next(line)) {
                if (const auto command = ParseLine(line, driver.game())) driver.Execute(*command);
                Flush(out);
            }
        } catch (const ProgramEnded&) {
            // {"event":"end"} is already out; the last state follows and no line is read.
            driver.PrintState();
        }
        Flush(out);
        return 0;
    } catch (const OutputFailed& failed) {
        Say(err, 0, failed.what());
        return kFailed;
    } catch (const MalformedLine& malformed) {
        return Report(out, err, reader.lineNumber(), malformed.what(), kMalformed);
    } catch (const ProgramFault& fault) {
        return Report(out, err, reader.lineNumber(),
                      std::string("programming fault: ") + fault.what(), kFailed);
    } catch (const std::exception& failure) {
        return Report(out, err, reader.lineNumber(), failure.what(), kFailed);
    } catch (...) {
        return Report(out, err, reader.lineNumber(), "unexpected failure", kFailed);
    }
}

}  // namespace vexmire
