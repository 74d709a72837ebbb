#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "scene/entity.h"

namespace vexmire {

// A family of entities sharing one name, addressed by a zero-based index. Families have a fixed
// size; addressing a missing member is a fault of the program and fails loudly.
class EntityArray {
  public:
    EntityArray() = default;
    EntityArray(std::string name, std::vector<Entity*> members)
        : name_(std::move(name)), members_(std::move(members)) {}

    Entity& operator()(int index) const {
        if (index < 0 || index >= static_cast<int>(members_.size())) ThrowMissing(index);
        return *members_[static_cast<size_t>(index)];
    }
    int size() const { return static_cast<int>(members_.size()); }
    const std::string& name() const { return name_; }

    // The members in index order, for the rules that test every one of them in turn.
    std::vector<Entity*>::const_iterator begin() const { return members_.begin(); }
    std::vector<Entity*>::const_iterator end() const { return members_.end(); }

  private:
    [[noreturn]] void ThrowMissing(int index) const;

    std::string name_;
    std::vector<Entity*> members_;
};

// The entities of one window in stacking order, topmost first. Entities are never added or
// removed once the scene is built, so references to them stay valid for its whole life.
class Scene {
  public:
    Scene() = default;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Appends below every entity added so far. Only for building the scene.
    Entity& Add(Entity entity);

    const std::deque<Entity>& entities() const { return entities_; }
    std::deque<Entity>& entities() { return entities_; }

    // nullptr when there is no such entity (or family member).
    Entity* Find(std::string_view name);
    Entity* Find(std::string_view name, int index);

    // As Find, but a missing entity is a fault of the program.
    Entity& Get(std::string_view name);
    EntityArray Family(std::string_view name);

  private:
    std::deque<Entity> entities_;  // a deque keeps references stable while building
};

}  // namespace vexmire
