// A random user: drives the headless program through many random actions, as a careless
// or hostile user would, and checks after every action what no user may ever meet. Each
// step lists what the user could do now (the enabled controls of the dialogs not covered by
// a modal one, the frame's enabled menu items and keys, the text window, the window's size),
// picks one, performs it and runs the checks:
// - nothing but the program's own refusals escapes an action: a std::logic_error,
//   std::out_of_range, std::bad_alloc ... is a fault, and so is a ControlRefused for a
//   control the user could reach;
// - a disabled control, a dialog behind a modal one or a greyed menu item takes nothing;
// - no text the program wrote, no message box and no plot text shows "nan" or "inf";
// - every field that shows a probability shows a number in [0, 1];
// - no text of the text window is lost without a question answered: text typed or written
//   by the program and not saved goes only after "Discard them?" or "End the program?" was
//   answered "Yes"; switches of window and ways out are taken often while such text is there.
// Modal dialogs get a script of random actions that ends them; the common dialogs answer at
// random, with files in one folder only. A run is reproducible from its seed.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ui/dialog.hpp"

namespace qalix::testing {

// One thing the user can do now: what, where, and a number it needs (a list item, a spin
// position, a menu command, a window size).
struct UserAction {
    enum class Kind {
        Type,
        Pick,
        Click,
        Spin,
        Close,
        Menu,
        Key,
        EditText,
        Resize,
        CloseFrame,
        RefusedClick,  // at a disabled control or one out of reach: must be refused
        RefusedType,
        GreyedMenu,    // must do nothing
        SwitchWindow,  // the panel's "Graphic" or "Text", or the Window menu
        Leave          // "EXIT", File > Exit, or a close box, with text not saved
    };
    Kind kind;
    double weight;
    int dialog = 0;
    int control = 0;
    int value = 0;
};

class RandomUser {
  public:
    // Files are saved and imported in `folder` only.
    RandomUser(std::uint64_t seed, std::filesystem::path folder);
    ~RandomUser();
    RandomUser(const RandomUser&) = delete;
    RandomUser& operator=(const RandomUser&) = delete;

    // Performs `actions` actions. The first fault, with the actions that led to it, or
    // nothing when there was none.
    std::optional<std::string> run(long actions);

    // How often each kind of action was taken, how often the program was started, and, with
    // QALIX_RANDOM_PROFILE set, the seconds the costliest actions took.
    std::string summary() const;

  private:
    struct Session;

    void restart();
    void observe();
    void step(const UserAction& action);
    void perform(const UserAction& action);
    void check();
    void actInModal(Dialog& dialog);

    std::vector<UserAction> topLevelActions();
    void addDialogActions(std::vector<UserAction>& actions, const Dialog& dialog);
    void addControlActions(std::vector<UserAction>& actions, const Dialog& dialog,
                           const Control& c);
    std::vector<UserAction> endingActions(const Dialog& dialog);
    void addFrameActions(std::vector<UserAction>& actions);
    void addRefusedActions(std::vector<UserAction>& actions);
    UserAction pick(const std::vector<UserAction>& actions);
    std::string describe(const UserAction& action) const;

    void typeInto(int dialog, int control, const std::string& text);
    void greyedMenu(int command);
    void switchWindow(int way);
    void leave(int way);
    void checkTextKept(const UserAction& action);
    int spinTarget(const Control& c);
    std::string seen() const;
    std::string design() const;
    template <typename Attempt>
    void expectRefused(Attempt attempt, const std::string& what);

    void note(const std::string& line);
    bool chance(double p);
    std::size_t below(std::size_t n);

    std::mt19937_64 random_;
    std::filesystem::path folder_;
    std::unique_ptr<Session> session_;
    // What changed since the last check: controls by (dialog, control), the frame's title
    // and picture. The checks look only at these.
    std::set<std::pair<int, int>> changed_;
    bool titleChanged_ = false;
    bool pictureChanged_ = false;
    std::set<int> observed_;
    // Controls whose text the user typed last: the user may type "nan"; the program must
    // refuse it, not show it as its own.
    std::set<std::pair<int, int>> typed_;
    std::optional<std::pair<int, int>> typing_;
    // Controls enabled since the user last acted on them: a user goes on with those.
    std::set<std::pair<int, int>> freshlyEnabled_;
    long steps_ = 0;
    long limit_ = 0;
    int modalDepth_ = 0;
    std::deque<std::string> recent_;
    std::map<std::string, long> counts_;
    std::map<int, long> opened_;
    std::map<std::string, double> seconds_;
    long starts_ = 0;
    long messages_ = 0;
    // The text window as the action found it, and how often text not saved met a question.
    std::string textBefore_;
    bool modifiedBefore_ = false;
    long questionsOnText_ = 0;
};

}  // namespace qalix::testing
