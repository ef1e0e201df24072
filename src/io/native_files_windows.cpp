// Files through the Win32 calls that give what POSIX does: CreateFileW with CREATE_NEW for an
// exclusive new file, FlushFileBuffers (under _commit) before the rename, and MoveFileExW,
// which replaces an existing target (rename() does not) and returns only once the move is on
// disk. Handles become C runtime descriptors in binary mode, so that no byte is translated.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <system_error>

#include "io/native_files.hpp"

namespace qalix::io::native {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr unsigned kLargestTransfer = INT_MAX;

// Windows's error in the words POSIX gives for the same condition, where there is one, so
// that a reason reads alike on both.
std::string windowsError(DWORD code) {
    return std::system_category().default_error_condition(static_cast<int>(code)).message();
}

bool failedWindows(std::string& reason) {
    reason = windowsError(GetLastError());
    return false;
}

bool failed(std::string& reason) {
    reason = std::generic_category().message(errno);
    return false;
}

int failedFd(std::string& reason) {
    failed(reason);
    return -1;
}

Status statusOf(const struct _stat64& st) {
    Status s;
    switch (st.st_mode & _S_IFMT) {
        case _S_IFREG:
            s.kind = Kind::Regular;
            break;
        case _S_IFCHR:
            s.kind = Kind::CharacterDevice;
            break;
        case _S_IFDIR:
            s.kind = Kind::Folder;
            break;
        default:
            s.kind = Kind::Other;
            break;
    }
    s.size = static_cast<std::uintmax_t>(st.st_size);
    s.readOnly = s.kind == Kind::Regular && (st.st_mode & _S_IWRITE) == 0;
    return s;
}

// A device name (NUL, CON, COM1...) that the C runtime's stat does not see: one that opens
// as a character device.
bool isDevice(const fs::path& path) {
    const HANDLE h = CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool device = GetFileType(h) == FILE_TYPE_CHAR;
    CloseHandle(h);
    return device;
}

int descriptor(HANDLE h, int flags, std::string& reason) {
    if (h == INVALID_HANDLE_VALUE) {
        failedWindows(reason);
        return -1;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), flags | _O_BINARY);
    if (fd < 0) {
        CloseHandle(h);
        return failedFd(reason);
    }
    return fd;
}

// A read of a file that keeps growing: a full buffer every time.
std::ptrdiff_t endlessRead(char* buffer, std::size_t size) {
    std::fill(buffer, buffer + size, 'x');
    return static_cast<std::ptrdiff_t>(size);
}

}  // namespace

bool status(const fs::path& path, Status& st, std::string& reason) {
    if (planted(Step::Status, reason)) return false;
    struct _stat64 info {};
    if (_wstat64(path.c_str(), &info) == 0) {
        st = statusOf(info);
        return true;
    }
    st = Status{};
    if (errno != ENOENT) return failed(reason);
    if (isDevice(path)) st.kind = Kind::CharacterDevice;
    return true;
}

bool status(int fd, Status& st, std::string& reason) {
    if (planted(Step::Status, reason)) return false;
    struct _stat64 info {};
    if (_fstat64(fd, &info) != 0) return failed(reason);
    st = statusOf(info);
    return true;
}

int openDevice(const fs::path& path, std::string& reason) {
    if (planted(Step::Open, reason)) return -1;
    return descriptor(
        CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr),
        _O_WRONLY, reason);
}

int createNew(const fs::path& path, const Status&, bool& nameTaken, std::string& reason) {
    nameTaken = false;
    if (planted(Step::Create, reason)) return -1;
    const HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD error = GetLastError();
    nameTaken =
        h == INVALID_HANDLE_VALUE && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS);
    return descriptor(h, _O_WRONLY, reason);
}

int openForReading(const fs::path& path, std::string& reason) {
    if (planted(Step::Open, reason)) return -1;
    return descriptor(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
                      _O_RDONLY, reason);
}

bool writeAll(int fd, std::string_view bytes, std::string& reason) {
    if (planted(Step::Write, reason)) return false;
    while (!bytes.empty()) {
        const auto chunk =
            static_cast<unsigned>(std::min<std::size_t>(bytes.size(), kLargestTransfer));
        const int n = _write(fd, bytes.data(), chunk);
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
    const auto chunk = static_cast<unsigned>(std::min<std::size_t>(size, kLargestTransfer));
    const int n = _read(fd, buffer, chunk);
    return n >= 0 ? n : failedFd(reason);
}

bool flushToDisk(int fd, std::string& reason) {
    if (planted(Step::Flush, reason)) return false;
    return _commit(fd) == 0 || failed(reason);
}

bool close(int fd, std::string& reason) {
    if (planted(Step::Close, reason)) {
        _close(fd);  // the descriptor is gone whatever close() reports
        return false;
    }
    return _close(fd) == 0 || failed(reason);
}

bool replace(const fs::path& from, const fs::path& to, std::string& reason) {
    if (planted(Step::Rename, reason)) return false;
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0 ||
           failedWindows(reason);
}

bool remove(const fs::path& path, std::string& reason) {
    if (planted(Step::Remove, reason)) return false;
    return DeleteFileW(path.c_str()) != 0 || failedWindows(reason);
}

}  // namespace qalix::io::native

namespace qalix::io {

void ignoreFileSizeSignal() {}  // Windows has no file size limit that signals

}  // namespace qalix::io
