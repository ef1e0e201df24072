#include "shell/program.hpp"

namespace qalix {

Program::Program(Platform& platform, TemplateLoader templates)
    : platform_(platform),
      record_(std::make_unique<DesignRecord>()),
      dialogs_(std::move(templates)),
      frame_(*this) {}

void Program::showFrameInChosenMode() {
    frame_.show();
    frame_.setUpMode();
}

}  // namespace qalix
