#include "fuzz/script_budget.h"

#include <algorithm>

namespace vexmire {

namespace {

constexpr int64_t kMostTicksOfOneLine = 10'000'000;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// What the script reader does to a line end: one final "\r" goes with the "\n".
std::string_view WithoutCarriageReturn(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

// The count of a well-formed `tick N`; -1 for a count that the driver refuses anyway.
int64_t TickCount(std::string_view count) {
    const bool negative = !count.empty() && count.front() == '-';
    if (negative) count.remove_prefix(1);
    if (count.empty()) return -1;
    int64_t value = 0;
    for (const char c : count) {
        if (c < '0' || c > '9') return -1;
        value = std::min<int64_t>(value * 10 + (c - '0'), kMostTicksOfOneLine + 1);
    }
    if (negative) return value == 0 ? 0 : -1;
    return value <= kMostTicksOfOneLine ? value : -1;
}

}  // namespace

std::string WithinFuzzBudget(std::string_view script, int64_t tickBudget) {
    std::string result;
    result.reserve(script.size());
    int64_t ticksLeft = tickBudget;
    size_t start = 0;
    while (start < script.size()) {
        const size_t end = std::min(script.find('\n', start), script.size());
        std::string_view line = script.substr(start, end - start);
        // The reader passes over a byte-order mark at the start of the script; so must the
        // budget, or a marked first line would render or tick unchecked.
        const std::string_view mark =
            start == 0 && line.starts_with(kByteOrderMark) ? kByteOrderMark : "";
        const std::string_view text = WithoutCarriageReturn(line.substr(mark.size()));
        std::string rewritten;
        if (text.starts_with("render ") && text.size() > 7) {
            rewritten = std::string(mark) + "#" + std::string(line.substr(mark.size() + 1));
        } else if (text == "tick" || text.starts_with("tick ")) {
            const int64_t ticks = text == "tick" ? 1 : TickCount(text.substr(5));
            if (ticks > ticksLeft) {
                rewritten = std::string(mark) + "tick " + std::to_string(ticksLeft);
            }
            if (ticks > 0) ticksLeft = std::max<int64_t>(ticksLeft - ticks, 0);
        }
        result += rewritten.empty() ? line : std::string_view(rewritten);
        if (end < script.size()) result += '\n';
        start = end + 1;
    }
    return result;
}

}  // namespace vexmire
