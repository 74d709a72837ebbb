#include "sim/event_json.h"

#include <nlohmann/json.hpp>

namespace vexmire {

std::string EventLine(const PlatformCall& call) {
    using Json = nlohmann::ordered_json;
    switch (call.kind) {
        case PlatformCall::Kind::Window:
            return Json{
                {"event", "window"}, {"window", WindowName(call.window)}, {"visible", call.visible}}
                .dump();
        case PlatformCall::Kind::Message:
            return Json{{"event", "message"}, {"text", call.text}, {"title", call.title}}.dump();
        case PlatformCall::Kind::Prompt:
            return Json{{"event", "prompt"},
                        {"text", call.text},
                        {"title", call.title},
                        {"answer", call.answer}}
                .dump();
        case PlatformCall::Kind::Beep:
            return Json{{"event", "beep"}}.dump();
        case PlatformCall::Kind::End:
            return Json{{"event", "end"}}.dump();
    }
    return Json{{"event", "unknown"}}.dump();
}

}  // namespace vexmire
