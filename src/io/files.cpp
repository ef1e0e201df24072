#include "io/files.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cerrno>
#include <random>
#include <system_error>

namespace qalix::io {

namespace {

namespace fs = std::filesystem;

// The new file's name: short, so that a target of the longest name a folder allows still
// saves, and unpredictable, so that nobody can plant a file or link under it beforehand.
constexpr std::string_view kTemporaryPrefix = ".qalix-";
constexpr int kTemporaryLetters = 8;
constexpr int kTemporaryAttempts = 100;
constexpr mode_t kNewFileMode = 0666;  // narrowed by the user's umask
constexpr mode_t kPermissionBits = 07777;

std::string lastError() {
    return std::generic_category().message(errno);
}

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

// What is at a path, without following a final link.
enum class Kind { Missing, Regular, CharacterDevice, Folder, Other, Unknown };

Kind kindOf(const struct stat& st) {
    if (S_ISREG(st.st_mode)) return Kind::Regular;
    if (S_ISCHR(st.st_mode)) return Kind::CharacterDevice;
    if (S_ISDIR(st.st_mode)) return Kind::Folder;
    return Kind::Other;
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

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A rename is on disk only once the folder that holds the name is; a failure here cannot
// undo the save, so it is not reported.
void syncFolder(const fs::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

SafeSave::SafeSave(const fs::path& target) : target_(resolved(target)) {
    error_.path = target.string();
    if (target.filename().empty()) {
        fail("the name holds no file name");
        return;
    }
    struct stat st {};
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) {
        fail(lastError());
        return;
    }
    const Kind kind = exists ? kindOf(st) : Kind::Missing;
    if (kind == Kind::CharacterDevice) {
        fd_ = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0) fail(lastError());
        return;
    }
    if (kind != Kind::Missing && kind != Kind::Regular) {
        fail(refusal(kind));
        return;
    }
    const fs::path folder = target_.parent_path();
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        const fs::path candidate = folder / temporaryName();
        // O_EXCL with O_CREAT also refuses a link of that name, dangling or not.
        fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                     kNewFileMode);
        if (fd_ >= 0) {
            temporary_ = candidate;
            // The replacement keeps the permissions of the file it replaces.
            if (kind == Kind::Regular) ::fchmod(fd_, st.st_mode & kPermissionBits);
            return;
        }
        if (errno != EEXIST) break;
    }
    fail(lastError());
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
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool SafeSave::write(std::string_view bytes) {
    if (failed_ || fd_ < 0) return false;
    if (!writeAll(fd_, bytes)) fail(lastError());
    return !failed_;
}

bool SafeSave::commit() {
    if (failed_ || fd_ < 0 || committed_) {
        discard();
        return false;
    }
    const bool inPlace = temporary_.empty();
    // A device cannot be flushed to disk; a file must be, or a crash could leave it empty.
    if (!inPlace && ::fsync(fd_) != 0) fail(lastError());
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail(lastError());
    if (!failed_ && !inPlace && ::rename(temporary_.c_str(), target_.c_str()) != 0)
        fail(lastError());
    if (failed_) {
        discard();
        return false;
    }
    if (!inPlace) syncFolder(target_.parent_path());
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

std::string lowercaseExtension(const fs::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

std::optional<FileError> notReadable(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return FileError{path.string(), lastError()};
    const Kind kind = kindOf(st);
    if (kind != Kind::Regular) return FileError{path.string(), refusal(kind)};
    return std::nullopt;
}

ReadResult readFile(const fs::path& path, std::size_t maxBytes) {
    ReadResult result;
    if (auto refused = notReadable(path)) {
        result.error = std::move(*refused);
        return result;
    }
    result.error.path = path.string();
    // Not blocking: should the name have become a FIFO since the check, opening it does not
    // wait for a writer, and the check below refuses it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.error.reason = lastError();
        return result;
    }
    struct stat st {};
    std::string bytes;
    std::string reason;
    const std::string tooLarge = "it is larger than " + std::to_string(maxBytes) + " bytes";
    if (::fstat(fd, &st) != 0) {
        reason = lastError();
    } else if (kindOf(st) != Kind::Regular) {
        reason = refusal(kindOf(st));
    } else if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        reason = tooLarge;
    } else {
        std::array<char, 1 << 16> buffer{};
        for (;;) {
            const ssize_t n = ::read(fd, buffer.data(), buffer.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                reason = lastError();
                break;
            }
            if (n == 0) break;
            bytes.append(buffer.data(), static_cast<std::size_t>(n));
            if (bytes.size() > maxBytes) {  // it grew while being read
                reason = tooLarge;
                break;
            }
        }
    }
    ::close(fd);
    if (reason.empty()) {
        result.bytes = std::move(bytes);
    } else {
        result.tooLarge = reason == tooLarge;
        result.error.reason = std::move(reason);
    }
    return result;
}

}  // namespace qalix::io
