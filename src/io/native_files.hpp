// What a save and a read ask of the operating system, one implementation for each
// (native_files_posix.cpp, native_files_windows.cpp); files.cpp holds the logic both share.
// A file is a C runtime descriptor on both. Every call that fails gives the reason in words.
// Private to src/io.
//
// Each call first asks planted() whether a test made its step fail (planted_faults.cpp); in a
// program no fault is ever planted, and the question costs one load of a flag.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace qalix::io::native {

namespace fs = std::filesystem;

// What is at a path, or behind an open file.
enum class Kind { Missing, Regular, CharacterDevice, Folder, Other };

struct Status {
    Kind kind = Kind::Missing;
    std::uintmax_t size = 0;
    // What a replacement keeps of the file it replaces (POSIX permission bits).
    unsigned permissions = 0;
    // A regular file its owner may not write: the read-only attribute on Windows, no owner
    // write permission on POSIX. A save must not replace it, although the folder would let a
    // rename do so.
    bool readOnly = false;
};

// The steps a save and a read ask of the system.
enum class Step { Status, Create, Open, Write, Read, Flush, Close, Rename, Remove };

// Whether a fault a test planted fails this call of the step; reason then says why. Inner
// check of every call below: it costs one relaxed load when nothing is planted.
bool planted(Step step, std::string& reason);

// What is at the path; a name that names nothing is Kind::Missing, not a failure.
bool status(const fs::path& path, Status& st, std::string& reason);
bool status(int fd, Status& st, std::string& reason);

// A device opened for writing in place; -1 on failure.
int openDevice(const fs::path& path, std::string& reason);
// A new file created exclusively, never through a link; -1 on failure, with nameTaken set
// when something already has the name (another name may then be tried).
int createNew(const fs::path& path, const Status& replaced, bool& nameTaken, std::string& reason);
// An existing file opened for reading, without waiting should it be a FIFO; -1 on failure.
int openForReading(const fs::path& path, std::string& reason);

bool writeAll(int fd, std::string_view bytes, std::string& reason);
// Bytes read into buffer (0 at the end), or -1.
std::ptrdiff_t readSome(int fd, char* buffer, std::size_t size, std::string& reason);
bool flushToDisk(int fd, std::string& reason);
bool close(int fd, std::string& reason);

// Puts the new file at the target's name, replacing what is there, on disk once it returns.
bool replace(const fs::path& from, const fs::path& to, std::string& reason);
bool remove(const fs::path& path, std::string& reason);

}  // namespace qalix::io::native
