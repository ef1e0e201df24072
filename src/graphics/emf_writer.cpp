#include "graphics/emf_writer.hpp"

#include <atomic>
#include <cerrno>
#include <stdexcept>
#include <string>
#include <system_error>

namespace qalix {

namespace {

// Temporary names are the target's name with a numbered suffix; the file is created only if
// no file has that name, so a stale temporary from another save is never overwritten.
constexpr int kTemporaryNameAttempts = 100;
std::atomic<unsigned> temporaryCounter{0};

std::filesystem::path temporaryName(const std::filesystem::path& target, unsigned n) {
    std::filesystem::path name = target;
    name += ".saving-" + std::to_string(n) + ".tmp";
    return name;
}

}  // namespace

EmfWriter::EmfWriter(std::filesystem::path target) : target_(std::move(target)) {
    if (target_.filename().empty()) return;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::filesystem::path candidate = temporaryName(target_, temporaryCounter++);
        // "x": create only if absent, so two saves never share a temporary file.
        file_ = std::fopen(candidate.string().c_str(), "wbx");
        if (file_) {
            temporary_ = candidate;
            return;
        }
        if (errno != EEXIST) return;  // no such folder, no right to write: no other name helps
    }
}

EmfWriter::~EmfWriter() {
    if (file_) std::fclose(file_);
    discardTemporary();
}

bool EmfWriter::finish() {
    if (!file_) return false;
    const bool written = writeAll();
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    std::error_code ec;
    if (written && closed) std::filesystem::rename(temporary_, target_, ec);
    if (!written || !closed || ec) {
        discardTemporary();
        return false;
    }
    temporary_.clear();
    return true;
}

bool EmfWriter::writeAll() {
    try {
        const std::vector<std::uint8_t> bytes = metafile();
        return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size() &&
               std::fflush(file_) == 0;
    } catch (const std::length_error&) {
        return false;
    }
}

void EmfWriter::discardTemporary() {
    if (temporary_.empty()) return;
    std::error_code ec;
    std::filesystem::remove(temporary_, ec);
    temporary_.clear();
}

}  // namespace qalix
