#include "scene/scene.h"

#include <algorithm>

#include "scene/program_fault.h"

namespace vexmire {

void EntityArray::ThrowMissing(int index) const {
    throw ProgramFault(name_ + "(" + std::to_string(index) + ") does not exist: the family has " +
                       std::to_string(members_.size()) + " members");
}

Entity& Scene::Add(Entity entity) {
    return entities_.emplace_back(std::move(entity));
}

Entity* Scene::Find(std::string_view name) {
    for (Entity& entity : entities_) {
        if (entity.index < 0 && entity.name == name) return &entity;
    }
    return nullptr;
}

Entity* Scene::Find(std::string_view name, int index) {
    for (Entity& entity : entities_) {
        if (entity.index == index && entity.name == name) return &entity;
    }
    return nullptr;
}

Entity& Scene::Get(std::string_view name) {
    if (Entity* entity = Find(name)) return *entity;
    throw ProgramFault("the scene has no entity " + std::string(name));
}

EntityArray Scene::Family(std::string_view name) {
    std::vector<Entity*> members;
    for (Entity& entity : entities_) {
        if (entity.index < 0 || entity.name != name) continue;
        const auto slot = static_cast<size_t>(entity.index);
        if (members.size() <= slot) members.resize(slot + 1, nullptr);
        members[slot] = &entity;
    }
    if (members.empty() || std::count(members.begin(), members.end(), nullptr) > 0) {
        throw ProgramFault("the scene has no complete family " + std::string(name));
    }
    return EntityArray(std::string(name), std::move(members));
}

}  // namespace vexmire
