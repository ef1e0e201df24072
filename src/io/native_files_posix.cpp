#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <system_error>

#include "io/native_files.hpp"

namespace qalix::io::native {

namespace {

constexpr mode_t kNewFileMode = 0666;  // narrowed by the user's umask
constexpr mode_t kPermissionBits = 07777;

bool failed(std::string& reason) {
    reason = std::generic_category().message(errno);
    return false;
}

int failedFd(std::string& reason) {
    failed(reason);
    return -1;
}

Status statusOf(const struct stat& st) {
    Status s;
    if (S_ISREG(st.st_mode))
        s.kind = Kind::Regular;
    else if (S_ISCHR(st.st_mode))
        s.kind = Kind::CharacterDevice;
    else if (S_ISDIR(st.st_mode))
        s.kind = Kind::Folder;
    else
        s.kind = Kind::Other;
    s.size = static_cast<std::uintmax_t>(st.st_size);
    s.permissions = st.st_mode & kPermissionBits;
    s.readOnly = s.kind == Kind::Regular && (st.st_mode & S_IWUSR) == 0;
    return s;
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

// A read of a file that keeps growing: a full buffer every time.
std::ptrdiff_t endlessRead(char* buffer, std::size_t size) {
    std::fill(buffer, buffer + size, 'x');
    return static_cast<std::ptrdiff_t>(size);
}

}  // namespace

bool status(const fs::path& path, Status& st, std::string& reason) {
    if (planted(Step::Status, reason)) return false;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        st = Status{};
        return errno == ENOENT || failed(reason);
    }
    st = statusOf(info);
    return true;
}

bool status(int fd, Status& st, std::string& reason) {
    if (planted(Step::Status, reason)) return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0) return failed(reason);
    st = statusOf(info);
    return true;
}

int openDevice(const fs::path& path, std::string& reason) {
    if (planted(Step::Open, reason)) return -1;
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    return fd >= 0 ? fd : failedFd(reason);
}

int createNew(const fs::path& path, const Status& replaced, bool& nameTaken, std::string& reason) {
    nameTaken = false;
    if (planted(Step::Create, reason)) return -1;
    // O_EXCL with O_CREAT also refuses a link of that name, dangling or not.
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kNewFileMode);
    nameTaken = fd < 0 && errno == EEXIST;
    if (fd < 0) return failedFd(reason);
    // The replacement keeps the permissions of the file it replaces.
    if (replaced.kind == Kind::Regular) ::fchmod(fd, replaced.permissions);
    return fd;
}

int openForReading(const fs::path& path, std::string& reason) {
    if (planted(Step::Open, reason)) return -1;
    // Not blocking: should the name have become a FIFO since it was looked at, opening it
    // does not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    return fd >= 0 ? fd : failedFd(reason);
}

bool writeAll(int fd, std::string_view bytes, std::string& reason) {
    if (planted(Step::Write, reason)) return false;
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return failed(reason);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::ptrdiff_t readSome(int fd, char* buffer, std::size_t size, std::string& reason) {
    if (planted(Step::Read, reason)) return reason.empty() ? endlessRead(buffer, size) : -1;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n >= 0) return n;
        if (errno != EINTR) return failedFd(reason);
    }
}

bool flushToDisk(int fd, std::string& reason) {
    if (planted(Step::Flush, reason)) return false;
    return ::fsync(fd) == 0 || failed(reason);
}

bool close(int fd, std::string& reason) {
    if (planted(Step::Close, reason)) {
        ::close(fd);  // the descriptor is gone whatever close() reports
        return false;
    }
    return ::close(fd) == 0 || failed(reason);
}

bool replace(const fs::path& from, const fs::path& to, std::string& reason) {
    if (planted(Step::Rename, reason)) return false;
    if (::rename(from.c_str(), to.c_str()) != 0) return failed(reason);
    syncFolder(to.parent_path());
    return true;
}

bool remove(const fs::path& path, std::string& reason) {
    if (planted(Step::Remove, reason)) return false;
    return ::unlink(path.c_str()) == 0 || failed(reason);
}

}  // namespace qalix::io::native

namespace qalix::io {

void ignoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace qalix::io
