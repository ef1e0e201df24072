// Saving and reading files as the program does, against what is on disk afterwards: a save
// either puts every byte in place or leaves the old file byte-identical and nothing beside
// it; a read takes regular files only and never waits on a FIFO.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "io/files.hpp"
#include "support/file_text.hpp"

namespace qalix::io {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
// Windows has no FIFOs; its device that takes every byte is NUL. A name longer than a folder
// takes gives "File name too long" on Windows and "No such file or directory" under Wine, so
// there only the refusal and the untouched folder are checked.
constexpr const char* kNullDevice = "NUL";
constexpr const char* kNameTooLong = "";
#else
constexpr const char* kNullDevice = "/dev/null";
constexpr const char* kNameTooLong = "File name too long";
#endif

// Bytes as given, with no newline translation on any system.
void put(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

class Files : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("qalix_io_" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::vector<std::string> names() const {
        std::vector<std::string> list;
        for (const auto& entry : fs::directory_iterator(folder))
            list.push_back(entry.path().filename().string());
        std::sort(list.begin(), list.end());
        return list;
    }

    fs::path folder;
};

// A save that must fail: what stood at the target before is there afterwards, byte for
// byte, and nothing else was left in the folder.
struct Refusal {
    const char* name;
    std::function<fs::path(const fs::path& folder)> prepare;  // the target
    const char* reason;                                       // a part of the reason given
};

TEST_F(Files, ASaveThatCannotBeMadeSaysWhyAndLeavesEverythingAsItWas) {
    const Refusal refusals[] = {
        {"no such folder", [](const fs::path& f) { return f / "missing" / "plot.svg"; },
         "No such file or directory"},
        {"a folder",
         [](const fs::path& f) {
             fs::create_directory(f / "taken.svg");
             put(f / "taken.svg" / "inside.txt", "kept");
             return f / "taken.svg";
         },
         "it is a folder"},
#ifndef _WIN32
        {"a FIFO",
         [](const fs::path& f) {
             mkfifo((f / "pipe.svg").c_str(), 0600);
             return f / "pipe.svg";
         },
         "not a regular file"},
#endif
#ifndef _WIN32
        // Once replaced by a regular file at the link's target: a file the user never named.
        {"a link to nothing",
         [](const fs::path& f) {
             fs::create_symlink("nowhere.svg", f / "link.svg");
             return f / "link.svg";
         },
         "it is a link to nowhere.svg, which does not exist"},
#endif
        {"a name without a file", [](const fs::path& f) { return f / ""; }, "no file name"},
        {"a name longer than a folder takes",
         [](const fs::path& f) { return f / std::string(256, 'n'); }, kNameTooLong},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.name);
        fs::remove_all(folder);
        fs::create_directories(folder);
        put(folder / "other.txt", "untouched\n");
        const fs::path target = r.prepare(folder);
        const std::vector<std::string> before = names();
        const auto failed = saveFile(target, "new bytes");
        ASSERT_TRUE(failed.has_value());
        EXPECT_NE(failed->describe().find(r.reason), std::string::npos) << failed->describe();
        EXPECT_EQ(failed->path, target.string());
        EXPECT_EQ(names(), before);
        EXPECT_EQ(testing::fileText(folder / "other.txt"), "untouched\n");
    }
}

TEST_F(Files, AFullDiskLeavesTheOldFileByteIdentical) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no file size limit a process can set (RLIMIT_FSIZE)";
#else
    const fs::path target = folder / "plot.svg";
    put(target, "keep\n");
    // Files may grow to 2 KiB only, as under `ulimit -f 2` with SIGXFSZ ignored.
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 2048;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto failed = saveFile(target, std::string(100000, 'x'));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousSignal);
    ASSERT_TRUE(failed.has_value());
    EXPECT_EQ(failed->reason, "File too large");
    EXPECT_EQ(testing::fileText(target), "keep\n");
    EXPECT_EQ(names(), std::vector<std::string>{"plot.svg"});
#endif
}

TEST_F(Files, ASaveReplacesTheFileWholeKeepingItsPermissionsAndLinks) {
    // A file of the longest name a folder takes, replaced (which rename() on Windows refuses);
    // its permissions stay.
    const fs::path longest = folder / std::string(255, 'n');
    put(longest, "old");
#ifndef _WIN32
    fs::permissions(longest,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
#endif
    ASSERT_FALSE(saveFile(longest, "new").has_value());
    EXPECT_EQ(testing::fileText(longest), "new");
#ifdef _WIN32
    EXPECT_EQ(names(), std::vector<std::string>{std::string(255, 'n')});
    GTEST_SKIP() << "Windows has no POSIX permissions, and its links need a privilege";
#else
    EXPECT_EQ(fs::status(longest).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // A link is saved at the file it names, and stays a link.
    const fs::path real = folder / "real.txt", link = folder / "link.txt";
    put(real, "old");
    fs::create_symlink(real, link);
    ASSERT_FALSE(saveFile(link, "through the link").has_value());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(testing::fileText(real), "through the link");
    EXPECT_EQ(names(), (std::vector<std::string>{"link.txt", std::string(255, 'n'), "real.txt"}));
#endif
}

// A file its owner may not write is not replaced, although its folder would let a rename do
// so (POSIX replaced it silently): the save refuses it before writing and it stays as it was.
TEST_F(Files, AReadOnlyFileIsRefusedAndKept) {
    const fs::path target = folder / "plot.emf";
    put(target, "kept");
    constexpr auto kWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(target, kWrite, fs::perm_options::remove);
    const auto failed = saveFile(target, "new bytes");
    const bool stillReadOnly = (fs::status(target).permissions() & kWrite) == fs::perms::none;
    fs::permissions(target, kWrite, fs::perm_options::add);  // so that it can be removed
    ASSERT_TRUE(failed.has_value());
    EXPECT_EQ(failed->reason, "it is read-only");
    EXPECT_TRUE(stillReadOnly);
    EXPECT_EQ(testing::fileText(target), "kept");
    EXPECT_EQ(names(), std::vector<std::string>{"plot.emf"});
}

TEST_F(Files, ACharacterDeviceIsWrittenInPlaceAndStaysADevice) {
    ASSERT_FALSE(saveFile(kNullDevice, "a picture").has_value());
    const ReadResult read = readFile(kNullDevice, 100);
    ASSERT_FALSE(read);
    EXPECT_NE(read.error.reason.find("not a regular file"), std::string::npos);
}

TEST_F(Files, AReadTakesRegularFilesOfTheSizeAskedForOnly) {
    put(folder / "data.txt", "1 1 0.5\n");
#ifdef _WIN32
    constexpr const char* kDevice = "NUL";
#else
    constexpr const char* kDevice = "/dev/zero";  // reading it would never end
    mkfifo((folder / "pipe.txt").c_str(), 0600);  // nobody writes: opening it would wait
#endif
    struct Case {
        fs::path path;
        std::size_t maxBytes;
        const char* reason;  // empty: read
    };
    const Case cases[] = {
        {folder / "data.txt", 8, ""},
        {folder / "data.txt", 7, "it is larger than 7 bytes"},
        {folder / "missing.txt", 100, "No such file or directory"},
        {folder, 100, "it is a folder, not a file"},
#ifndef _WIN32
        {folder / "pipe.txt", 100, "not a regular file"},
#endif
        {kDevice, 100, "not a regular file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.string());
        const ReadResult read = readFile(c.path, c.maxBytes);
        if (*c.reason == '\0') {
            ASSERT_TRUE(read);
            EXPECT_EQ(*read.bytes, "1 1 0.5\n");
            continue;
        }
        ASSERT_FALSE(read);
        EXPECT_NE(read.error.reason.find(c.reason), std::string::npos) << read.error.reason;
        EXPECT_EQ(read.tooLarge, std::string(c.reason).starts_with("it is larger"));
    }
}

}  // namespace
}  // namespace qalix::io
