#include "script/setting_parser.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include "script/malformed_line.h"
#include "script/numbers.h"
#include "script/words.h"

namespace vexmire {

namespace {

enum class Property { Left, Top, Width, Height, Visible, Enabled, Caption, Picture };

struct PropertyName {
    std::string_view name;
    Property property;
};

constexpr std::array<PropertyName, 8> kProperties = {{
    {"Left", Property::Left},
    {"Top", Property::Top},
    {"Width", Property::Width},
    {"Height", Property::Height},
    {"Visible", Property::Visible},
    {"Enabled", Property::Enabled},
    {"Caption", Property::Caption},
    {"Picture", Property::Picture},
}};

struct VariableName {
    std::string_view name;
    int16_t GameState::*variable;
};

constexpr std::array<VariableName, 8> kVariables = {{
    {"shotsFired", &GameState::shotsFired},
    {"playerDX", &GameState::playerDX},
    {"playerDY", &GameState::playerDY},
    {"enemyShotDX", &GameState::enemyShotDX},
    {"enemyShotDY", &GameState::enemyShotDY},
    {"targetX", &GameState::targetX},
    {"targetY", &GameState::targetY},
    {"hitsTaken", &GameState::hitsTaken},
}};

// "a Shape", "an Image", "a Label", "the Timer".
std::string KindWithArticle(EntityKind kind) {
    const char* article = kind == EntityKind::Image   ? "an "
                          : kind == EntityKind::Timer ? "the "
                                                      : "a ";
    return article + std::string(KindName(kind));
}

// Families are complete, so the highest index tells the size; 0 when `name` is no family.
int64_t FamilySize(const Scene& scene, std::string_view name) {
    int64_t size = 0;
    for (const Entity& entity : scene.entities()) {
        if (entity.index >= size && entity.name == name) size = entity.index + 1;
    }
    return size;
}

// "imgPlayer" or "shpObstacle(23)".
Entity& ResolveEntity(std::string_view word, Scene& scene) {
    const size_t open = word.find('(');
    if (open == std::string_view::npos) {
        Entity* entity = scene.Find(word);
        if (entity != nullptr) return *entity;
        if (FamilySize(scene, word) > 0) {
            throw MalformedLine(Quoted(word) + " is a family: name one member, as in " +
                                std::string(word) + "(0)");
        }
        throw MalformedLine("unknown entity " + Quoted(word));
    }
    if (word.back() != ')') {
        throw MalformedLine("entity " + Quoted(word) + " is not written NAME or NAME(INDEX)");
    }
    const std::string_view name = word.substr(0, open);
    const std::string_view indexText = word.substr(open + 1, word.size() - open - 2);
    const int64_t size = FamilySize(scene, name);
    if (size == 0) {
        if (scene.Find(name) != nullptr) throw MalformedLine(Quoted(name) + " is not a family");
        throw MalformedLine("unknown entity " + Quoted(name));
    }
    const int64_t index = ParseWhole(indexText, std::numeric_limits<int64_t>::min(),
                                     std::numeric_limits<int64_t>::max(), "entity index");
    Entity* entity = index < size ? scene.Find(name, static_cast<int>(index)) : nullptr;
    if (index < 0 || entity == nullptr) {
        throw MalformedLine(Quoted(word) + " does not exist: the family has members 0 to " +
                            std::to_string(size - 1));
    }
    return *entity;
}

Property ResolveProperty(std::string_view word) {
    for (const PropertyName& entry : kProperties) {
        if (entry.name == word) return entry.property;
    }
    throw MalformedLine("unknown property " + Quoted(word) +
                        " (Left, Top, Width, Height, Visible, Enabled, Caption or Picture)");
}

void RequireKind(const Entity& entity, std::string_view property, EntityKind kind) {
    if (entity.kind == kind) return;
    throw MalformedLine(std::string(property) + " is for " + KindWithArticle(kind) + " only, and " +
                        entity.DisplayName() + " is " + KindWithArticle(entity.kind));
}

bool ParseFlag(std::string_view word, std::string_view property) {
    if (word == "true" || word == "1") return true;
    if (word == "false" || word == "0") return false;
    throw MalformedLine(std::string(property) + " takes true, false, 1 or 0, not " + Quoted(word));
}

// Every value but a caption is one word.
std::string_view SingleWord(std::string_view value, bool hasValue, std::string_view property) {
    if (!hasValue || value.empty()) throw MalformedLine(std::string(property) + " needs a value");
    if (SplitWords(value).size() != 1)
        throw MalformedLine(std::string(property) + " takes one value");
    return value;
}

Command MakeSetting(Entity& entity, Property property, std::string_view propertyName,
                    std::string_view value, bool hasValue, Scene& scene) {
    if (property == Property::Caption) {
        RequireKind(entity, propertyName, EntityKind::Label);
        return command::SetCaption{&entity, std::string(value)};
    }
    const std::string_view word = SingleWord(value, hasValue, propertyName);
    switch (property) {
        case Property::Left:
            return command::SetGeometry{&entity, &Entity::SetLeft, ParseDecimal(word, "Left")};
        case Property::Top:
            return command::SetGeometry{&entity, &Entity::SetTop, ParseDecimal(word, "Top")};
        case Property::Width:
            return command::SetGeometry{&entity, &Entity::SetWidth, ParseDecimal(word, "Width")};
        case Property::Height:
            return command::SetGeometry{&entity, &Entity::SetHeight, ParseDecimal(word, "Height")};
        case Property::Visible:
            return command::SetFlag{&entity, &Entity::visible, ParseFlag(word, "Visible")};
        case Property::Enabled:
            RequireKind(entity, propertyName, EntityKind::Image);
            return command::SetFlag{&entity, &Entity::enabled, ParseFlag(word, "Enabled")};
        case Property::Picture: {
            RequireKind(entity, propertyName, EntityKind::Image);
            const Entity& source = ResolveEntity(word, scene);
            if (source.kind != EntityKind::Image) {
                throw MalformedLine("Picture takes the name of an image, and " +
                                    source.DisplayName() + " is " + KindWithArticle(source.kind));
            }
            return command::SetPicture{&entity, source.picture};
        }
        case Property::Caption:
            break;
    }
    throw MalformedLine("unknown property " + Quoted(propertyName));
}

int16_t* ResolveVariable(std::string_view word, GameState& vars) {
    for (const VariableName& entry : kVariables) {
        if (entry.name == word) return &(vars.*entry.variable);
    }
    const bool isBallDX = word.starts_with("ballDX");
    if (!isBallDX && !word.starts_with("ballDY")) {
        throw MalformedLine("unknown variable " + Quoted(word));
    }
    const std::string_view array = word.substr(0, 6);
    const std::string_view index = word.substr(6);
    if (index.size() < 2 || index.front() != '(' || index.back() != ')') {
        throw MalformedLine(Quoted(word) + " is not written " + std::string(array) +
                            "(K) with K from 0 to 19");
    }
    const auto k = ParseWhole(index.substr(1, index.size() - 2), 0, kBallCount - 1, "ball index");
    return &(isBallDX ? vars.ballDX : vars.ballDY)[static_cast<size_t>(k)];
}

}  // namespace

Command ParseSet(std::string_view arguments, Game& game) {
    // NAME and PROP are single words; VALUE is the rest of the line, as a caption may hold
    // spaces of its own.
    const size_t nameEnd = arguments.find(' ');
    if (nameEnd == std::string_view::npos) throw MalformedLine("usage: set NAME PROP VALUE");
    const std::string_view name = arguments.substr(0, nameEnd);
    const std::string_view rest = arguments.substr(nameEnd + 1);
    const size_t propertyEnd = rest.find(' ');
    const std::string_view propertyName = rest.substr(0, propertyEnd);
    const bool hasValue = propertyEnd != std::string_view::npos;
    const std::string_view value = hasValue ? rest.substr(propertyEnd + 1) : std::string_view();
    if (name.empty() || propertyName.empty()) {
        throw MalformedLine("stray space: words are separated by single spaces");
    }

    Entity& entity = ResolveEntity(name, game.scene);
    if (entity.kind == EntityKind::Timer) {
        throw MalformedLine("the timer " + entity.DisplayName() + " cannot be set");
    }
    const Property property = ResolveProperty(propertyName);
    return MakeSetting(entity, property, propertyName, value, hasValue, game.scene);
}

Command ParseVar(std::string_view arguments, Game& game) {
    const auto words = SplitWords(arguments);
    if (words.size() != 2) throw MalformedLine("usage: var NAME VALUE");
    int16_t* variable = ResolveVariable(words[0], game.vars);
    const auto value = static_cast<int16_t>(ParseWhole(words[1], -32768, 32767, "value"));
    return command::SetVariable{variable, value};
}

}  // namespace vexmire
