#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz/run_checks.h"
#include "fuzz/script_budget.h"
#include "sim/run_script.h"

using namespace vexmire;

// One fuzz input is one whole script for vexmire-sim, read and run exactly as the program does.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string script =
        WithinFuzzBudget(std::string_view(reinterpret_cast<const char*>(data), size));
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunScript(in, out, err);
    CheckScriptRun(script, status, out.str(), err.str());
    return 0;
}
