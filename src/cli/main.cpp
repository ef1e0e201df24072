#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/cli.hpp"
#include "cli/picture_renderer.hpp"
#include "io/files.hpp"

namespace {

// What was printed must have reached standard output: a full disk or a closed pipe shows only
// when the last bytes are flushed. Then the run failed, as the standard tools say it.
int standardOutputChecked(int status) {
    errno = 0;
    std::cout.flush();
    const bool failed = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (!failed) return status;
    const int error = errno != 0 ? errno : EIO;
    std::cerr << "qalix: write error: " << std::strerror(error) << '\n';
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // What qalix prints is the same bytes on every system, lines ending in "\n" alone, also
    // when redirected to a file that another system's qalix wrote or reads.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    qalix::io::ignoreFileSizeSignal();
    const std::vector<std::string> args(argv + 1, argv + argc);
    return standardOutputChecked(qalix::runCli(args, std::cout, std::cerr, qalix::pictureRenderer(),
                                               qalix::documentRenderer()));
}
