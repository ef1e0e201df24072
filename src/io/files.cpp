#include "io/files.hpp"

#include <array>
#include <cctype>
#include <cerrno>
#include <random>
#include <system_error>

#include "io/native_files.hpp"

namespace qalix::io {

namespace {

namespace fs = std::filesystem;
using native::Kind;

// The new file's name: short, so that a target of the longest name a folder allows still
// saves, and unpredictable, so that nobody can plant a file or link under it beforehand.
constexpr std::string_view kTemporaryPrefix = ".qalix-";
constexpr int kTemporaryLetters = 8;
constexpr int kTemporaryAttempts = 100;

std::string temporaryName() {
    static constexpr std::string_view kLetters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string name(kTemporaryPrefix);
    for (int i = 0; i < kTemporaryLetters; ++i)
        name += kLetters[pick(generator)];
    return name;
}

std::string refusal(Kind kind) {
    return kind == Kind::Folder ? "it is a folder, not a file"
                                : "it is not a regular file (a device, FIFO or socket)";
}

// A link is saved at the file it names: the link itself stays.
fs::path resolved(const fs::path& target) {
    std::error_code ec;
    if (!fs::is_symlink(target, ec)) return target;
    const fs::path real = fs::weakly_canonical(target, ec);
    return ec ? target : real;
}

// A link to nothing: a save would create a file the user never named, at the link's target.
std::optional<std::string> danglingLink(const fs::path& target) {
    std::error_code ec;
    if (!fs::is_symlink(target, ec) || fs::exists(target, ec)) return std::nullopt;
    const fs::path points = fs::read_symlink(target, ec);
    return "it is a link to " + points.string() + ", which does not exist";
}

}  // namespace

SafeSave::SafeSave(const fs::path& target) : target_(resolved(target)) {
    error_.path = target.string();
    if (target.filename().empty()) {
        fail("the name holds no file name");
        return;
    }
    if (auto dangling = danglingLink(target)) {
        fail(std::move(*dangling));
        return;
    }
    native::Status st;
    std::string reason;
    if (!native::status(target_, st, reason)) {
        fail(reason);
        return;
    }
    if (st.kind == Kind::CharacterDevice) {
        fd_ = native::openDevice(target_, reason);
        if (fd_ < 0) fail(reason);
        return;
    }
    if (st.kind != Kind::Missing && st.kind != Kind::Regular) {
        fail(refusal(st.kind));
        return;
    }
    if (st.readOnly) {
        fail("it is read-only");
        return;
    }
    const fs::path folder = target_.parent_path();
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        const fs::path candidate = folder / temporaryName();
        bool nameTaken = false;
        fd_ = native::createNew(candidate, st, nameTaken, reason);
        if (fd_ >= 0) {
            temporary_ = candidate;
            return;
        }
        if (!nameTaken) break;
    }
    fail(reason);
}

SafeSave::~SafeSave() {
    if (!committed_) discard();
}

void SafeSave::fail(std::string reason) {
    if (failed_) return;  // the first failure is the one that explains the others
    failed_ = true;
    error_.reason = std::move(reason);
}

void SafeSave::abandon(std::string reason) {
    fail(std::move(reason));
    discard();
}

void SafeSave::discard() {
    std::string ignored;
    if (fd_ >= 0) native::close(fd_, ignored);
    fd_ = -1;
    std::string reason;
    if (!temporary_.empty() && !native::remove(temporary_, reason)) {
        // Said, so that the user can remove what the program could not.
        error_.reason +=
            "; the unfinished copy " + temporary_.string() + " could not be removed: " + reason;
    }
    temporary_.clear();
}

bool SafeSave::write(std::string_view bytes) {
    if (failed_ || fd_ < 0) return false;
    std::string reason;
    if (!native::writeAll(fd_, bytes, reason)) fail(reason);
    return !failed_;
}

bool SafeSave::commit() {
    if (failed_ || fd_ < 0 || committed_) {
        discard();
        return false;
    }
    const bool inPlace = temporary_.empty();
    std::string reason;
    // A device cannot be flushed to disk; a file must be, or a crash could leave it empty.
    if (!inPlace && !native::flushToDisk(fd_, reason)) fail(reason);
    const int fd = fd_;
    fd_ = -1;
    if (!native::close(fd, reason)) fail(reason);
    if (!failed_ && !inPlace && !native::replace(temporary_, target_, reason)) fail(reason);
    if (failed_) {
        discard();
        return false;
    }
    temporary_.clear();
    committed_ = true;
    return true;
}

std::optional<FileError> saveFile(const fs::path& target, std::string_view bytes) {
    SafeSave save(target);
    save.write(bytes);
    if (save.commit()) return std::nullopt;
    return save.error();
}

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    std::error_code ea;
    std::error_code eb;
    const fs::path ca = fs::weakly_canonical(fs::absolute(a, ea), ea);
    const fs::path cb = fs::weakly_canonical(fs::absolute(b, eb), eb);
    return !ea && !eb && ca == cb;
}

std::string lowercaseExtension(const fs::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

std::optional<FileError> notReadable(const fs::path& path) {
    native::Status st;
    std::string reason;
    if (!native::status(path, st, reason)) return FileError{path.string(), reason};
    if (st.kind == Kind::Missing)
        return FileError{path.string(), std::generic_category().message(ENOENT)};
    if (st.kind != Kind::Regular) return FileError{path.string(), refusal(st.kind)};
    return std::nullopt;
}

namespace {

// The bytes of an open file, checked again now that it is open: the name may have become
// something else since it was looked at.
std::string readOpen(int fd, std::size_t maxBytes, const std::string& tooLarge,
                     std::string& reason) {
    native::Status st;
    if (!native::status(fd, st, reason)) return {};
    if (st.kind != Kind::Regular) {
        reason = refusal(st.kind);
        return {};
    }
    if (st.size > maxBytes) {
        reason = tooLarge;
        return {};
    }
    std::string bytes;
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        const std::ptrdiff_t n = native::readSome(fd, buffer.data(), buffer.size(), reason);
        if (n <= 0) break;
        bytes.append(buffer.data(), static_cast<std::size_t>(n));
        if (bytes.size() > maxBytes) {
            reason = "it grew beyond " + std::to_string(maxBytes) + " bytes while it was read";
            break;
        }
    }
    return bytes;
}

}  // namespace

ReadResult readFile(const fs::path& path, std::size_t maxBytes) {
    ReadResult result;
    if (auto refused = notReadable(path)) {
        result.error = std::move(*refused);
        return result;
    }
    result.error.path = path.string();
    std::string reason;
    const int fd = native::openForReading(path, reason);
    if (fd < 0) {
        result.error.reason = reason;
        return result;
    }
    const std::string tooLarge = "it is larger than " + std::to_string(maxBytes) + " bytes";
    std::string bytes = readOpen(fd, maxBytes, tooLarge, reason);
    std::string ignored;
    native::close(fd, ignored);
    if (reason.empty()) {
        result.bytes = std::move(bytes);
    } else {
        result.tooLarge = reason == tooLarge;
        result.error.reason = std::move(reason);
    }
    return result;
}

}  // namespace qalix::io
