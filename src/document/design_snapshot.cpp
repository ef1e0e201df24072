#include "document/design_snapshot.hpp"

#include <stdexcept>

namespace qalix {

const Shown& ShownFields::operator[](std::string_view name) const {
    for (const auto& [key, field] : fields) {
        if (key == name) return field;
    }
    throw std::out_of_range("no field " + std::string(name));
}

}  // namespace qalix
