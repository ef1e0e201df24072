#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.hpp"
#include "cli/picture_renderer.hpp"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return qalix::runCli(args, std::cout, std::cerr, qalix::pictureRenderer(),
                         qalix::documentRenderer());
}
