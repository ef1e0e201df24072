// The frame's menu commands as a table: each row says which command it is, in which of the
// frame's modes it acts, what else it needs to be available (a computed design, samples to
// draw), and what it does. Each subsystem adds the rows of the commands it owns at start-up;
// the table alone decides whether a command may run, and greys the menu accordingly.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace qalix {

enum class FrameMode { None, Graphic, Text };

// The modes a row acts in.
struct Modes {
    bool none = false;
    bool graphic = false;
    bool text = false;

    bool has(FrameMode mode) const {
        return mode == FrameMode::None ? none : mode == FrameMode::Graphic ? graphic : text;
    }
};
inline constexpr Modes kAnyMode{true, true, true};
inline constexpr Modes kGraphicMode{false, true, false};
inline constexpr Modes kTextMode{false, false, true};

struct FrameCommand {
    int id;
    Modes modes;
    std::function<void()> run;
    // Besides the mode: whether the command can act now. Always, when empty.
    std::function<bool()> available = {};
    // Why the user may not run it now, whatever the mode: the command is refused while this
    // tells a reason, which the greyed item and the refusal show.
    std::function<std::string()> refusal = {};
};

class FrameCommands {
  public:
    void add(FrameCommand command);
    // The row of the command for the mode, or nothing when it does not act in that mode (or
    // is not available). A command the table has no row for at all is a programming error
    // (std::logic_error).
    const FrameCommand* find(int id, FrameMode mode) const;
    bool enabled(int id, FrameMode mode) const { return find(id, mode) != nullptr; }
    // The reason the command's rows give for refusing it now; empty when none does.
    std::string refusal(int id) const;
    // Every command the table holds, each once.
    std::vector<int> ids() const;

  private:
    std::vector<FrameCommand> rows_;
};

}  // namespace qalix
