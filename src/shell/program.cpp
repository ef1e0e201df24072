#include "shell/program.hpp"

namespace qalix {

Program::Program(Platform& platform)
    : platform_(platform), record_(std::make_unique<DesignRecord>()) {}

}  // namespace qalix
