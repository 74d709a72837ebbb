#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vexmire {

// The most ticks one fuzz input may run: enough to win the whole game (2,846 ticks in the kept
// replay), yet few enough that the fuzzer tries many inputs a second: the tick is nearly all of
// the time an input takes.
constexpr int64_t kFuzzTickBudget = 3'000;

// The script as the fuzzer runs it: line for line the same, except that the `tick` lines beyond
// the budget run fewer ticks (or none), and a `render FILE` line becomes a comment, as the
// fuzzer must not write files wherever its input names them. Malformed lines stay as they are.
std::string WithinFuzzBudget(std::string_view script, int64_t tickBudget = kFuzzTickBudget);

}  // namespace vexmire
