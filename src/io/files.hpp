// Files as the program writes and reads them. A save never leaves a half-written file under
// the target's name: the bytes go to a new file beside the target, created exclusively under
// an unpredictable name (so no planted file or link is ever written through), every write,
// the flush to disk and the close are checked, and only then is it renamed over the target.
// Any failure removes the new file, leaves the target byte-identical and says why.
//
// A target that exists and is a character device (/dev/null, /dev/stdout) is written in
// place, since it cannot be replaced; any other target that is not a regular file (a folder,
// a FIFO, a socket) is refused. A target that is a symbolic link is saved at the file the
// link names, and the link stays.
//
// A read takes regular files only, checked before anything is read, so a FIFO or a device
// never makes the program wait, and refuses a file larger than the cap it is given.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qalix::io {

// Why a file could not be saved or read: the file as named and the reason in words,
// "/home/ann/plot.svg: No space left on device".
struct FileError {
    std::string path;
    std::string reason;

    std::string describe() const { return path + ": " + reason; }
};

// A save in progress: the new file is created at construction, so that a name that cannot be
// written is known before the bytes are made; write() may be called any number of times and
// commit() puts the file in place. Destroyed without a commit that succeeded, it removes the
// new file.
class SafeSave {
  public:
    explicit SafeSave(const std::filesystem::path& target);
    ~SafeSave();
    SafeSave(const SafeSave&) = delete;
    SafeSave& operator=(const SafeSave&) = delete;

    // Whether the file is open for writing; when not, error() says why and commit() fails.
    bool isOpen() const { return fd_ >= 0; }
    // False once any write failed; the failure is kept for commit().
    bool write(std::string_view bytes);
    // Flushes, closes and renames; false, with the target as it was, when any step failed.
    [[nodiscard]] bool commit();
    // Gives the save up for a reason of the caller's: the target stays as it was.
    void abandon(std::string reason);
    const FileError& error() const { return error_; }

  private:
    void fail(std::string reason);
    void discard();

    std::filesystem::path target_;     // the file that is replaced (a link's target)
    std::filesystem::path temporary_;  // empty when writing in place
    int fd_ = -1;
    bool failed_ = false;
    bool committed_ = false;
    FileError error_;
};

// The whole save in one call: nothing on success, else why it failed.
std::optional<FileError> saveFile(const std::filesystem::path& target, std::string_view bytes);

// The name's extension in lower case, with its dot: ".emf" for "PLOT.EMF", "" for "plot".
std::string lowercaseExtension(const std::filesystem::path& path);

// The bytes of a regular file of at most maxBytes bytes, or why it cannot be read.
struct ReadResult {
    std::optional<std::string> bytes;
    FileError error;
    bool tooLarge = false;  // the file holds more than maxBytes

    explicit operator bool() const { return bytes.has_value(); }
};
ReadResult readFile(const std::filesystem::path& path, std::size_t maxBytes);

// Why the path cannot be read as a regular file (it does not exist, is a folder, a FIFO, a
// device...), or nothing when it can. Checked before a file is opened.
std::optional<FileError> notReadable(const std::filesystem::path& path);

// Whether two names name one file once links are followed, whether or not it exists yet.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Called once at start: a write beyond the file size limit (ulimit -f) then fails with "File
// too large", which a save reports, instead of ending the program with SIGXFSZ. Nothing on
// systems without such a signal.
void ignoreFileSizeSignal();

}  // namespace qalix::io
