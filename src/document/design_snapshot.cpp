#include "document/design_snapshot.hpp"

#include <stdexcept>

namespace qalix {

const Shown& ShownFields::operator[](std::string_view name) const {
    for (const auto& [key, field] : fields) {
        if (key == name) return field;
    }
    throw std::out_of_range("no field " + std::string(name));
}

namespace {

template <typename T>
std::optional<T> named(const std::vector<std::pair<std::string, T>>& entries,
                       std::string_view name) {
    for (const auto& [key, entry] : entries) {
        if (key == name) return entry;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> DesignSnapshot::panelText(std::string_view name) const {
    return named(panelTexts, name);
}

std::optional<double> DesignSnapshot::value(std::string_view name) const {
    return named(values, name);
}

}  // namespace qalix
