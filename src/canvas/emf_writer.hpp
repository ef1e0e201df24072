// The metafile export's canvas: it encodes the drawing in memory (graphics/emf_encoder.hpp)
// and finish() saves the file, whole or not at all (io/files.hpp): a failed save leaves an
// existing file as it was and no partial file behind.
#pragma once

#include <filesystem>

#include "canvas/emf_encoder.hpp"
#include "io/files.hpp"

namespace qalix {

class EmfWriter final : public EmfEncoder {
  public:
    // Creates the new file at once, so that a name that cannot be written (a folder that does
    // not exist, no right to write) is known before anything is drawn.
    explicit EmfWriter(const std::filesystem::path& target) : save_(target) {}

    // False when the file could not be created: finish() will then fail.
    bool isOpen() const { return save_.isOpen(); }

    // Writes the metafile in the target's place, replacing a file of that name. False when it
    // could not (the caller reports error()): the target is then as it was. A writer finishes
    // once; later calls return false.
    [[nodiscard]] bool finish();
    const io::FileError& error() const { return save_.error(); }

  private:
    io::SafeSave save_;
};

}  // namespace qalix
