#include "platform/headless/headless_platform.hpp"

#include "design/dialog.hpp"

namespace qalix {

void HeadlessPlatform::messageBox(std::string_view text, std::string_view caption) {
    messages_.push_back({std::string(caption), std::string(text)});
}

int HeadlessPlatform::showModal(Dialog& dialog) {
    dialog.open();
    modalShown_.push_back(dialog.id());
    const auto script = scripts_.find(dialog.id());
    if (script != scripts_.end()) script->second(dialog);
    return dialog.exitCode();
}

bool HeadlessPlatform::showModeless(Dialog& dialog) {
    dialog.open();
    return true;
}

void HeadlessPlatform::consoleLine(std::string_view line) {
    console_.emplace_back(line);
    if (echo_) *echo_ << line << '\n';
}

void HeadlessPlatform::quit(int exitCode) {
    quit_ = true;
    quitCode_ = exitCode;
}

void HeadlessPlatform::onModal(int dialogId, std::function<void(Dialog&)> script) {
    scripts_[dialogId] = std::move(script);
}

}  // namespace qalix
