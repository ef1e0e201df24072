// qalix as a shell runs it, for what only a whole process shows: standard output that cannot
// be written, and a file size limit. Both once went unnoticed: output to a full disk ended
// with status 0, and a write beyond `ulimit -f` killed the program with SIGXFSZ, leaving its
// unfinished temporary file behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "file_folder.hpp"
#include "support/file_text.hpp"

namespace qalix::testing {
namespace {

namespace fs = std::filesystem;

class Process : public FileFolderTest {
  protected:
    // Runs `setup; exec qalix ARGS > out 2> err` in the folder; the exit status.
    int run(const std::string& setup, const std::string& args, const std::string& out) {
        const std::string command = "cd '" + folder.string() + "' && " + setup + " exec '" +
                                    QALIX_CLI_PATH + "' " + args + " > " + out + " 2> err.txt";
        const int status = std::system(("sh -c \"" + command + "\"").c_str());
#ifdef _WIN32
        return status;
#else
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
#endif
    }
    std::string err() const {
        return fileText(folder / "err.txt");
    }
};

TEST_F(Process, OutputThatCannotBeWrittenFailsTheRun) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no /dev/full";
#else
    for (const char* args :
         {"simulate --set mu=0.5,n=100 --seed 7", "fixed --solve m", "design --looks 4 --json",
          "compare --looks '4;8'", "design --looks 4 --print-command"}) {
        SCOPED_TRACE(args);
        EXPECT_EQ(run("", args, "/dev/full"), 1);
        EXPECT_EQ(err(), "qalix: write error: No space left on device\n");
    }
#endif
}

TEST_F(Process, AFileSizeLimitIsASaveThatFails) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no file size limit a process can set";
#else
    std::ofstream(folder / "r.html", std::ios::binary) << "old";
    EXPECT_EQ(run("ulimit -f 8;", "report --looks 4 --out r.html", "out.txt"), 1);
    EXPECT_EQ(err(), "Error: Cannot save the file r.html: File too large\n");
    EXPECT_EQ(fileText(folder / "r.html"), "old");
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"err.txt", "out.txt", "r.html"}));
#endif
}

}  // namespace
}  // namespace qalix::testing
