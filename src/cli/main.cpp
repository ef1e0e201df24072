#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

#include "cli/cli.hpp"
#include "cli/picture_renderer.hpp"

int main(int argc, char** argv) {
#ifdef _WIN32
    // What qalix prints is the same bytes on every system, lines ending in "\n" alone, also
    // when redirected to a file that another system's qalix wrote or reads.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    const std::vector<std::string> args(argv + 1, argv + argc);
    return qalix::runCli(args, std::cout, std::cerr, qalix::pictureRenderer(),
                         qalix::documentRenderer());
}
