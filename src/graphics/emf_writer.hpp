// The metafile export's canvas: it encodes the drawing in memory (graphics/emf_encoder.hpp)
// and finish() writes the file. The file is written beside the target under a temporary
// name and renamed over the target only once complete, so a failed save leaves an existing
// file as it was and leaves no partial file behind.
#pragma once

#include <cstdio>
#include <filesystem>

#include "graphics/emf_encoder.hpp"

namespace qalix {

class EmfWriter final : public EmfEncoder {
  public:
    // Creates the temporary file at once, so that a name that cannot be written (a folder
    // that does not exist, no right to write) is known before anything is drawn.
    explicit EmfWriter(std::filesystem::path target);
    // Removes the temporary file when finish() did not put it in the target's place.
    ~EmfWriter() override;
    EmfWriter(const EmfWriter&) = delete;
    EmfWriter& operator=(const EmfWriter&) = delete;

    // False when the temporary file could not be created: finish() will then fail.
    bool isOpen() const { return file_ != nullptr; }

    // Writes the metafile and renames it to the target, replacing a file of that name.
    // False when it could not (the caller reports "Cannot save metafile"): the target is then
    // as it was. A writer finishes once; later calls return false.
    [[nodiscard]] bool finish();

  private:
    bool writeAll();
    void discardTemporary();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* file_ = nullptr;
};

}  // namespace qalix
