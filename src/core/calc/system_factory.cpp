#include "calc/systems.h"

namespace dalvex {

namespace {

struct SystemEntry {
    std::string_view displayName;
    std::unique_ptr<DSSystem> (*make)(int32_t, std::string, int32_t);
};

template <class T>
std::unique_ptr<DSSystem> make(int32_t itemIndex, std::string displayName, int32_t picture) {
    return std::make_unique<T>(itemIndex, std::move(displayName), picture);
}

// The order in which the names are compared.
const SystemEntry kSystems[] = {
    {"Борвик", make<DSSystemBorvik>},   {"Лантес", make<DSSystemLantes>}, {"Далвекс", make<DSSystemDalvex>},
    {"Сенфил-Н", make<DSSystemSenfil>}, {"Герлит", make<DSSystemGerlit>}, {"Венлор", make<DSSystemWenlor>},
    {"Фелдор", make<DSSystemFeldor>},   {"Кворин", make<DSSystemQuorin>}, {"Зеркан", make<DSSystemZerkan>},
    {"Нордел", make<DSSystemNordel>},
};

} // namespace

std::unique_ptr<DSSystem> createSystem(int32_t index, std::string_view displayName, int32_t imageId) {
    for (const SystemEntry& entry : kSystems)
        if (entry.displayName == displayName) return entry.make(index, std::string(displayName), imageId);
    return nullptr;
}

} // namespace dalvex
