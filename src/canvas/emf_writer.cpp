#include "canvas/emf_writer.hpp"

#include <stdexcept>
#include <string_view>
#include <vector>

namespace qalix {

bool EmfWriter::finish() {
    try {
        const std::vector<std::uint8_t> bytes = metafile();
        save_.write({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    } catch (const std::length_error& tooLarge) {
        save_.abandon(tooLarge.what());
        return false;
    }
    return save_.commit();
}

}  // namespace qalix
