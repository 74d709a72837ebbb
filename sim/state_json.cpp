#include "sim/state_json.h"

#include <array>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string_view>

#include "script/numbers.h"

namespace vexmire {

namespace {

// Writes one JSON object member by member. Geometry is spliced in as FormatGeometry writes it,
// because a general JSON writer prints single-precision values with spurious digits or with
// an exponent; strings and the plain-integer members go through nlohmann.
class ObjectWriter {
  public:
    explicit ObjectWriter(std::string& out) : out_(out) { out_ += '{'; }
    ~ObjectWriter() { out_ += '}'; }
    ObjectWriter(const ObjectWriter&) = delete;
    ObjectWriter& operator=(const ObjectWriter&) = delete;

    void Json(std::string_view key, const nlohmann::ordered_json& value) {
        Key(key);
        out_ += value.dump();
    }
    void Geometry(std::string_view key, float value) {
        Key(key);
        out_ += FormatGeometry(value);
    }
    // For a nested object or array that the caller writes itself.
    std::string& Member(std::string_view key) {
        Key(key);
        return out_;
    }

  private:
    void Key(std::string_view key) {
        if (!first_) out_ += ',';
        first_ = false;
        out_ += nlohmann::json(key).dump();
        out_ += ':';
    }

    std::string& out_;
    bool first_ = true;
};

const char* ShapeName(ShapeKind shape) {
    switch (shape) {
        case ShapeKind::Rectangle:
            return "Rectangle";
        case ShapeKind::Oval:
            return "Oval";
        case ShapeKind::Circle:
            return "Circle";
    }
    return "Rectangle";
}

std::string ColourText(Colour colour) {
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "0x%08X", static_cast<unsigned>(colour));
    return text.data();
}

nlohmann::ordered_json VariablesOf(const GameState& vars) {
    return {
        {"shotsFired", vars.shotsFired},   {"playerDX", vars.playerDX},
        {"playerDY", vars.playerDY},       {"ballDX", vars.ballDX},
        {"ballDY", vars.ballDY},           {"enemyShotDX", vars.enemyShotDX},
        {"enemyShotDY", vars.enemyShotDY}, {"targetX", vars.targetX},
        {"targetY", vars.targetY},         {"hitsTaken", vars.hitsTaken},
    };
}

void WriteEntity(std::string& out, const Entity& entity) {
    ObjectWriter object(out);
    object.Json("name", entity.DisplayName());
    object.Json("kind", KindName(entity.kind));
    object.Geometry("left", entity.left());
    object.Geometry("top", entity.top());
    object.Geometry("width", entity.width());
    object.Geometry("height", entity.height());
    object.Json("visible", entity.visible);
    switch (entity.kind) {
        case EntityKind::Shape:
            object.Json("shape", ShapeName(entity.shape));
            object.Json("fillColor", ColourText(entity.fillColour));
            break;
        case EntityKind::Image:
            object.Json("enabled", entity.enabled);
            // The sprite is named by the image the level gives it to.
            object.Json("picture", entity.picture != nullptr
                                       ? nlohmann::ordered_json(entity.picture->owner)
                                       : nlohmann::ordered_json(nullptr));
            break;
        case EntityKind::Label:
            object.Json("caption", entity.caption);
            break;
        case EntityKind::Timer:
            break;
    }
}

}  // namespace

std::string StateLine(const Game& game, uint64_t ticks) {
    std::string line;
    {
        ObjectWriter outer(line);
        ObjectWriter state(outer.Member("state"));
        state.Json("ticks", ticks);
        state.Json("vars", VariablesOf(game.vars));
        std::string& entities = state.Member("entities");
        entities += '[';
        bool first = true;
        for (const Entity& entity : game.scene.entities()) {
            if (entity.kind == EntityKind::Timer) continue;  // it has no place in the window
            if (!first) entities += ',';
            first = false;
            WriteEntity(entities, entity);
        }
        entities += ']';
    }
    return line;
}

}  // namespace vexmire
