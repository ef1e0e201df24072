#include "random/random_user.hpp"

#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <typeinfo>

#include "design/panel_ids.hpp"
#include "document/design_menu.hpp"
#include "platform/headless/driver.hpp"
#include "random/hostile_texts.hpp"
#include "random/random_platform.hpp"
#include "random/screen_checks.hpp"
#include "report/analysis_menu.hpp"
#include "report/comparison_menu.hpp"
#include "report/report_menu.hpp"
#include "shell/program.hpp"
#include "shell/startup.hpp"
#include "ui/menu_ids.hpp"

namespace qalix::testing {

namespace {

using Kind = UserAction::Kind;

// Actions kept for the report of a fault.
constexpr std::size_t kRecentActions = 30;
// How likely a step in a modal dialog tries to end it, and how many tries may fail before
// the user is taken to be stuck in it.
constexpr double kEndChance = 0.2;
constexpr int kEndingTries = 20;

// How often the user does what: typing most, then clicking and picking. Ending the program
// is rare, so that a run gets deep into a design; so is reaching for what is out of reach.
constexpr double kTypeWeight = 3.0;
constexpr double kPickWeight = 2.0;
constexpr double kClickWeight = 2.0;
constexpr double kSpinWeight = 2.0;
constexpr double kCloseWeight = 0.3;
constexpr double kMenuWeight = 0.3;
constexpr double kKeyWeight = 0.1;
constexpr double kEditTextWeight = 1.0;
constexpr double kResizeWeight = 0.3;
constexpr double kQuitWeight = 0.01;
constexpr double kRefusedWeight = 0.5;
constexpr double kEndingWeight = 2.0;
constexpr double kEscWeight = 1.0;
// Switches of window and ways out while the text window holds text not saved: the moments a
// text can be lost.
constexpr double kSwitchWeight = 1.0;
constexpr double kLeaveWeight = 1.0;
// Of the ways out: "EXIT", File > Exit, the frame's close box, the panel's close box.
constexpr int kWaysOut = 4;
// Of the switches: the panel's "Graphic" and "Text", the Window menu's two items.
constexpr int kSwitches = 4;
// The questions that stand between text not saved and its loss.
constexpr std::string_view kDiscardQuestion = "Discard them?";
constexpr std::string_view kEndQuestion = "End the program?";
// A user goes on with what the last step made available: the panel's chain of sections.
constexpr double kFreshlyEnabledBoost = 10.0;

// The frame's keys with a command behind them.
constexpr std::array<std::string_view, 3> kAcceleratorKeys = {"F1", "Alt+?", "Alt+/"};
// Window sizes: mostly as large as a screen, sometimes squeezed to almost nothing.
constexpr int kWidest = 2500, kHighest = 1500, kSqueezed = 20;

constexpr std::array<std::string_view, 15> kKindNames = {
    "type",          "pick",         "click",       "spin",          "close",
    "menu",          "key",          "edit",        "resize",        "close-frame",
    "refused-click", "refused-type", "greyed-menu", "switch-window", "leave"};

std::string_view kindName(Kind kind) {
    return kKindNames[static_cast<std::size_t>(kind)];
}

// Something the user runs into that no user may meet: it stops the run.
struct Fault {
    std::string what;
};

std::string named(const Dialog& dialog, int control) {
    std::string text = "\"" + dialog.layout().title + "\" " + std::to_string(control);
    const std::string& caption = dialog.control(control).layout.caption;
    if (!caption.empty()) text += " \"" + caption + "\"";
    return text;
}

void collectItems(const std::vector<MenuEntry>& entries, std::vector<int>& commands) {
    for (const MenuEntry& e : entries) {
        if (e.kind == MenuEntry::Kind::Item) commands.push_back(e.command);
        if (e.kind == MenuEntry::Kind::Popup) collectItems(e.children, commands);
    }
}

const std::vector<int>& menuCommands(const MenuModel& menu) {
    static const std::vector<int> commands = [&menu] {
        std::vector<int> all;
        collectItems(menu.bar(), all);
        return all;
    }();
    return commands;
}

// A button that ends a modal dialog, offered only among the ending actions.
bool endsModal(const Dialog& dialog, int control) {
    return dialog.isModal() && (control == kIdOk || control == kIdCancel);
}

}  // namespace

struct RandomUser::Session {
    explicit Session(RandomUser& user)
        : platform(
              user.random_, user.folder_, [&user](Dialog& d) { user.actInModal(d); },
              [&user](const std::string& line) { user.note(line); }),
          program(platform),
          designs(program),
          reports(program, designs),
          comparisons(program),
          analyses(program, designs),
          ui(program.dialogs()) {}

    RandomPlatform platform;
    Program program;
    DesignMenu designs;
    ReportMenu reports;
    ComparisonMenu comparisons;
    AnalysisMenu analyses;
    Driver ui;
};

RandomUser::RandomUser(std::uint64_t seed, std::filesystem::path folder)
    : random_(seed), folder_(std::move(folder)) {}

RandomUser::~RandomUser() = default;

// A line of the action log, kept for the report of a fault and, with QALIX_RANDOM_TRACE
// set, written as it happens.
void RandomUser::note(const std::string& line) {
    static const bool trace = std::getenv("QALIX_RANDOM_TRACE") != nullptr;
    if (trace) std::cerr << line << '\n';
    recent_.push_back(line);
    while (recent_.size() > kRecentActions)
        recent_.pop_front();
}

bool RandomUser::chance(double p) {
    return std::bernoulli_distribution(p)(random_);
}

std::size_t RandomUser::below(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
}

std::optional<std::string> RandomUser::run(long actions) {
    limit_ = steps_ + actions;
    try {
        while (steps_ < limit_) {
            if (!session_ || session_->platform.quitRequested()) {
                restart();
                continue;
            }
            step(pick(topLevelActions()));
        }
    } catch (const Fault& fault) {
        std::ostringstream report;
        report << "after action " << steps_ << ": " << fault.what << "\nthe last actions:\n";
        for (const std::string& line : recent_)
            report << "  " << line << '\n';
        report << "the design then: " << design();
        return report.str();
    }
    return std::nullopt;
}

void RandomUser::restart() {
    session_.reset();
    observed_.clear();
    typed_.clear();
    freshlyEnabled_.clear();
    changed_.clear();
    session_ = std::make_unique<Session>(*this);
    ++starts_;
    note("(the program starts)");
    session_->program.samples().fixedSeed = random_();
    if (!startUp(session_->program)) throw Fault{"the program did not start"};
    check();
}

// Hears of every change, to check what changed and to tell the user's texts from the
// program's: a program write takes a control back from the user.
void RandomUser::observe() {
    Program& program = session_->program;
    for (int id : program.dialogs().ids()) {
        if (!observed_.insert(id).second) continue;
        Dialog& dialog = program.dialogs().get(id);
        for (const ControlTemplate& t : dialog.layout().controls) {
            if (t.id != kUnaddressed) changed_.insert({id, t.id});
        }
        dialog.observe([this, id](const Dialog& d, int control, Change change) {
            if (change == Change::Opened) ++opened_[id];
            if (control == kNoControl) return;
            changed_.insert({id, control});
            if (change == Change::Enabled) freshlyEnabled_.erase({id, control});
            if (change == Change::Enabled && d.getLogical(control, Index::Enabled))
                freshlyEnabled_.insert({id, control});
            if (change != Change::Text) return;
            if (typing_ == std::pair{id, control}) {
                typed_.insert({id, control});
            } else {
                typed_.erase({id, control});
            }
        });
    }
    if (!observed_.insert(0).second) return;  // 0: the frame
    program.frame().observe([this](FrameChange change) {
        if (change == FrameChange::Picture) pictureChanged_ = true;
        if (change == FrameChange::Title) titleChanged_ = true;
    });
}

void RandomUser::step(const UserAction& action) {
    ++steps_;
    ++counts_[std::string(kindName(action.kind))];
    freshlyEnabled_.erase({action.dialog, action.control});
    const std::string description = describe(action);
    note(std::to_string(steps_) + ": " + description);
    observe();
    const bool topLevel = modalDepth_ == 0;
    if (topLevel) {
        textBefore_ = session_->program.frame().text();
        modifiedBefore_ = session_->program.frame().textModified();
        session_->platform.clearAnswers();
    }
    const auto started = std::chrono::steady_clock::now();
    try {
        perform(action);
    } catch (const ControlRefused& e) {
        throw Fault{std::string("a control the user could reach refused the action: ") + e.what()};
    } catch (const std::exception& e) {
        throw Fault{std::string("escaped the event loop: ") + typeid(e).name() + ": " + e.what()};
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    seconds_[description.substr(0, description.find(':'))] += took.count();
    if (topLevel) checkTextKept(action);
    check();
}

// Text not saved goes only after a question about it was answered "Yes": replaced by New,
// Open or an import, or with the program when it ends. What the program adds to the text
// (a comparison, a command) keeps what was there; what the user types is the user's.
void RandomUser::checkTextKept(const UserAction& action) {
    if (!modifiedBefore_) return;
    bool agreed = false;
    for (const RandomPlatform::Answer& a : session_->platform.answers()) {
        const bool aboutText = a.question.find(kDiscardQuestion) != std::string::npos ||
                               a.question.find(kEndQuestion) != std::string::npos;
        questionsOnText_ += aboutText;
        agreed |= aboutText && a.button == kIdYes;
    }
    if (session_->platform.quitRequested() && !agreed)
        throw Fault{"the program ended with text not saved, without a question answered"};
    if (action.kind == Kind::EditText) return;
    const std::string& now = session_->program.frame().text();
    if (now.compare(0, textBefore_.size(), textBefore_) != 0 && !agreed)
        throw Fault{"text not saved was lost without a question answered: \"" +
                    printable(textBefore_.substr(0, 60)) + "\" became \"" +
                    printable(now.substr(0, 60)) + "\""};
}

void RandomUser::check() {
    RandomPlatform& platform = session_->platform;
    for (const Message& m : platform.messages()) {
        if (auto fault = messageFault(m)) throw Fault{*fault};
    }
    messages_ += static_cast<long>(platform.messages().size());
    platform.clearMessages();  // each answered with OK
    const Program& program = session_->program;
    for (const auto& [dialog, control] : changed_) {
        const bool typed = typed_.count({dialog, control}) > 0;
        if (auto fault = controlFault(program.dialog(dialog), control, typed)) throw Fault{*fault};
    }
    changed_.clear();
    if (titleChanged_) {
        if (auto fault = titleFault(program.frame().title())) throw Fault{*fault};
    }
    const RecordingCanvas* picture = program.frame().picture();
    if (pictureChanged_ && picture != nullptr) {
        if (auto fault = pictureFault(*picture)) {
            note("  the picture:\n" + picture->text());
            throw Fault{*fault};
        }
    }
    titleChanged_ = pictureChanged_ = false;
    const Dialog* top = program.dialogs().topModal();
    if (modalDepth_ == 0 && top != nullptr) {
        throw Fault{"the modal dialog \"" + top->layout().title + "\" stayed open"};
    }
}

UserAction RandomUser::pick(const std::vector<UserAction>& actions) {
    std::vector<double> weights;
    weights.reserve(actions.size());
    for (const UserAction& a : actions)
        weights.push_back(a.weight);
    std::discrete_distribution<std::size_t> choose(weights.begin(), weights.end());
    return actions[choose(random_)];
}

void RandomUser::actInModal(Dialog& dialog) {
    ++modalDepth_;
    note("  (\"" + dialog.layout().title + "\" opens)");
    int tries = 0;
    while (dialog.isOpen()) {
        std::vector<UserAction> actions;
        addDialogActions(actions, dialog);
        if (steps_ >= limit_ || actions.empty() || chance(kEndChance)) {
            if (++tries > kEndingTries) {
                --modalDepth_;
                throw Fault{"nothing ends the modal dialog \"" + dialog.layout().title + "\""};
            }
            actions = endingActions(dialog);
        } else {
            addRefusedActions(actions);
        }
        step(pick(actions));
    }
    --modalDepth_;
}

std::vector<UserAction> RandomUser::topLevelActions() {
    std::vector<UserAction> actions;
    for (int id : session_->program.dialogs().ids()) {
        const Dialog& dialog = session_->program.dialog(id);
        if (!dialog.isOpen()) continue;
        addDialogActions(actions, dialog);
        // Closing the panel ends the program.
        actions.push_back({Kind::Close, id == kPanelDialog ? kQuitWeight : kCloseWeight, id});
    }
    addFrameActions(actions);
    addRefusedActions(actions);
    return actions;
}

void RandomUser::addDialogActions(std::vector<UserAction>& actions, const Dialog& dialog) {
    for (const ControlTemplate& t : dialog.layout().controls) {
        if (t.id == kUnaddressed) continue;
        const Control& c = dialog.control(t.id);
        if (c.enabled) addControlActions(actions, dialog, c);
    }
}

void RandomUser::addControlActions(std::vector<UserAction>& actions, const Dialog& dialog,
                                   const Control& c) {
    const int d = dialog.id();
    const int id = c.layout.id;
    const std::size_t first = actions.size();
    switch (c.layout.kind) {
        case ControlKind::Edit:
        case ControlKind::Combo: {
            const bool typable = c.layout.kind == ControlKind::Edit || c.layout.editable;
            if (typable && !c.layout.readOnly) actions.push_back({Kind::Type, kTypeWeight, d, id});
            if (!c.items.empty()) {
                const int item = static_cast<int>(below(c.items.size()));
                actions.push_back({Kind::Pick, kPickWeight, d, id, item});
            }
            break;
        }
        case ControlKind::Button:
        case ControlKind::DefaultButton:
        case ControlKind::Radio:
        case ControlKind::Check: {
            if (endsModal(dialog, id)) break;
            const bool quits = d == kPanelDialog && id == panel::kExitButton;
            actions.push_back({Kind::Click, quits ? kQuitWeight : kClickWeight, d, id});
            break;
        }
        case ControlKind::Spin:
            actions.push_back({Kind::Spin, kSpinWeight, d, id, spinTarget(c)});
            break;
        default:
            break;
    }
    if (!freshlyEnabled_.count({d, id})) return;
    for (std::size_t i = first; i < actions.size(); ++i)
        actions[i].weight *= kFreshlyEnabledBoost;
}

// Mostly one step up or down, as the arrows move it; sometimes anywhere in its range, and
// now and then beyond it, where the control must hold it at its end.
int RandomUser::spinTarget(const Control& c) {
    const int lo = std::min(c.rangeMin, c.rangeMax);
    const int hi = std::max(c.rangeMin, c.rangeMax);
    if (chance(0.8)) return c.position + (chance(0.5) ? 1 : -1);
    if (chance(0.75)) return std::uniform_int_distribution<int>(lo, hi)(random_);
    const std::array beyond = {INT_MIN, INT_MAX, lo - 1, hi + 1};
    return beyond[below(beyond.size())];
}

std::vector<UserAction> RandomUser::endingActions(const Dialog& dialog) {
    std::vector<UserAction> actions;
    for (int button : {kIdOk, kIdCancel}) {
        if (dialog.has(button) && dialog.control(button).enabled)
            actions.push_back({Kind::Click, kEndingWeight, dialog.id(), button});
    }
    actions.push_back({Kind::Close, kEscWeight, dialog.id()});  // Esc, or the close box
    return actions;
}

void RandomUser::addFrameActions(std::vector<UserAction>& actions) {
    const FrameWindow& frame = session_->program.frame();
    for (int command : menuCommands(frame.menu())) {
        if (frame.menu().enabled(command))
            actions.push_back({Kind::Menu, kMenuWeight, 0, 0, command});
    }
    actions.push_back(
        {Kind::Key, kKeyWeight, 0, 0, static_cast<int>(below(kAcceleratorKeys.size()))});
    if (frame.hasTextWindow()) actions.push_back({Kind::EditText, kEditTextWeight});
    actions.push_back({Kind::Resize, kResizeWeight});
    actions.push_back({Kind::CloseFrame, kQuitWeight});
    if (frame.menu().enabled(menu::kTextWindow)) {
        actions.push_back(
            {Kind::SwitchWindow, kSwitchWeight, 0, 0, static_cast<int>(below(kSwitches))});
    }
    if (frame.textModified())
        actions.push_back({Kind::Leave, kLeaveWeight, 0, 0, static_cast<int>(below(kWaysOut))});
}

// A user's attempt at a disabled control, at a dialog that is not shown or is covered by a
// modal one, or at a greyed menu item: each must be refused and change nothing.
void RandomUser::addRefusedActions(std::vector<UserAction>& actions) {
    const Program& program = session_->program;
    const std::vector<int> ids = program.dialogs().ids();
    const Dialog& dialog = program.dialog(ids[below(ids.size())]);
    const ControlTemplate& t = dialog.layout().controls[below(dialog.layout().controls.size())];
    const Dialog* top = program.dialogs().topModal();
    const bool covered = !dialog.isOpen() || (top != nullptr && top != &dialog);
    if (t.id != kUnaddressed && (covered || !dialog.control(t.id).enabled)) {
        actions.push_back({Kind::RefusedClick, kRefusedWeight, dialog.id(), t.id});
        actions.push_back({Kind::RefusedType, kRefusedWeight, dialog.id(), t.id});
    }
    const std::vector<int>& commands = menuCommands(program.frame().menu());
    const int command = commands[below(commands.size())];
    if (top == nullptr && !program.frame().menu().enabled(command))
        actions.push_back({Kind::GreyedMenu, kRefusedWeight, 0, 0, command});
}

std::string RandomUser::describe(const UserAction& a) const {
    const std::string kind(kindName(a.kind));
    const Program& program = session_->program;
    switch (a.kind) {
        case Kind::Type:
        case Kind::Click:
        case Kind::RefusedClick:
        case Kind::RefusedType:
            return kind + " " + named(program.dialog(a.dialog), a.control);
        case Kind::Pick:
            return kind + " " + named(program.dialog(a.dialog), a.control) + ": " +
                   printable(program.dialog(a.dialog).item(a.control, a.value));
        case Kind::Spin:
            return kind + " " + named(program.dialog(a.dialog), a.control) + ": to " +
                   std::to_string(a.value);
        case Kind::Close:
            return kind + " \"" + program.dialog(a.dialog).layout().title + "\"";
        case Kind::Menu:
        case Kind::GreyedMenu:
            return kind + " " + std::to_string(a.value);
        case Kind::Key:
            return kind + " " + std::string(kAcceleratorKeys[static_cast<std::size_t>(a.value)]);
        default:
            return kind;
    }
}

void RandomUser::perform(const UserAction& a) {
    Driver& ui = session_->ui;
    FrameWindow& frame = session_->program.frame();
    switch (a.kind) {
        case Kind::Type: {
            const Dialog& dialog = session_->program.dialog(a.dialog);
            const std::string text = typedText(random_, dialog.control(a.control).items);
            note("  typed " + printable(text));
            typeInto(a.dialog, a.control, text);
            break;
        }
        case Kind::Pick:
            ui.pick(a.dialog, a.control, ui.items(a.dialog, a.control)[std::size_t(a.value)]);
            break;
        case Kind::Click:
            ui.click(a.dialog, a.control);
            break;
        case Kind::Spin:
            ui.spin(a.dialog, a.control, a.value);
            break;
        case Kind::Close:
            ui.close(a.dialog);
            break;
        case Kind::Menu:
            frame.command(a.value);
            break;
        case Kind::Key:
            frame.accelerator(kAcceleratorKeys[static_cast<std::size_t>(a.value)]);
            break;
        case Kind::EditText: {
            const std::string text = textWindowText(random_);
            note("  typed " + printable(text));
            frame.userEdit(text);
            break;
        }
        case Kind::Resize: {
            const int width = static_cast<int>(below(chance(0.2) ? kSqueezed : kWidest));
            const int height = static_cast<int>(below(chance(0.2) ? kSqueezed : kHighest));
            note("  to " + std::to_string(width) + "x" + std::to_string(height));
            frame.setClientRect({0, 0, width, height});
            break;
        }
        case Kind::CloseFrame:
            frame.userClose();
            break;
        case Kind::RefusedClick:
            expectRefused([&] { ui.click(a.dialog, a.control); }, describe(a));
            break;
        case Kind::RefusedType: {
            const std::string text = typedText(random_, {});
            expectRefused([&] { typeInto(a.dialog, a.control, text); }, describe(a));
            break;
        }
        case Kind::GreyedMenu:
            greyedMenu(a.value);
            break;
        case Kind::SwitchWindow:
            switchWindow(a.value);
            break;
        case Kind::Leave:
            leave(a.value);
            break;
    }
}

// By the panel while its window buttons can be clicked, else by the Window menu.
void RandomUser::switchWindow(int way) {
    Driver& ui = session_->ui;
    const bool graphic = way % 2 == 0;
    const int button = graphic ? panel::kGraphicWindow : panel::kTextWindow;
    const Dialog& panelDialog = session_->program.panel();
    if (way < 2 && panelDialog.isOpen() && panelDialog.control(button).enabled) {
        ui.click(button);
        return;
    }
    const int command = graphic ? menu::kGraphicWindow : menu::kTextWindow;
    if (session_->program.frame().menu().enabled(command))
        session_->program.frame().command(command);
}

void RandomUser::leave(int way) {
    FrameWindow& frame = session_->program.frame();
    switch (way) {
        case 0:
            if (session_->program.panel().control(panel::kExitButton).enabled)
                session_->ui.click(panel::kExitButton);
            break;
        case 1:
            frame.command(menu::kExit);
            break;
        case 2:
            frame.userClose();
            break;
        default:
            session_->ui.close(kPanelDialog);
            break;
    }
}

void RandomUser::typeInto(int dialog, int control, const std::string& text) {
    typing_ = std::pair{dialog, control};
    try {
        session_->ui.type(dialog, control, text);
    } catch (...) {
        typing_.reset();
        throw;
    }
    typing_.reset();
}

// What a fault report needs of the design to reproduce it: the panel's entries and the
// looks the engine integrates over.
std::string RandomUser::design() const {
    const Program& program = session_->program;
    const DesignRecord& r = program.record();
    std::ostringstream out;
    out << r.designKind.str() << ", panel:";
    for (int c : {panel::kAlphaCombo, panel::kPowerCombo, panel::kSdCombo, panel::kMuCombo,
                  panel::kSizeCombo, panel::kLooksCombo, panel::kRhoCombo, panel::kCoeffCombo}) {
        out << ' ' << printable(program.dialog(kPanelDialog).getText(c));
    }
    out << ", K = " << r.numLooks << ", times";
    for (int k = 0; k < r.numLooks && k < kMaxLooks; ++k)
        out << ' ' << r.engineTime[static_cast<std::size_t>(k)];
    return out.str() + "\n";
}

// Everything the user sees, to tell that an attempt changed nothing.
std::string RandomUser::seen() const {
    std::ostringstream out;
    const Program& program = session_->program;
    for (int id : program.dialogs().ids()) {
        const Dialog& dialog = program.dialog(id);
        out << id << (dialog.isOpen() ? " open\n" : " closed\n");
        for (const ControlTemplate& t : dialog.layout().controls) {
            if (t.id == kUnaddressed) continue;
            const Control& c = dialog.control(t.id);
            out << t.id << ' ' << c.text << ' ' << c.items.size() << ' ' << c.selection << ' '
                << c.position << ' ' << c.checked << ' ' << c.enabled << '\n';
        }
    }
    const FrameWindow& frame = program.frame();
    out << frame.title() << '\n' << frame.text() << '\n' << static_cast<int>(frame.mode());
    return out.str();
}

template <typename Attempt>
void RandomUser::expectRefused(Attempt attempt, const std::string& what) {
    const std::string before = seen();
    try {
        attempt();
    } catch (const ControlRefused&) {
        if (seen() != before) throw Fault{what + ": refused, but what is shown changed"};
        return;
    }
    throw Fault{what + ": not refused"};
}

void RandomUser::greyedMenu(int command) {
    const std::string before = seen();
    session_->program.frame().command(command);
    if (seen() != before || !session_->platform.messages().empty())
        throw Fault{"the greyed menu item " + std::to_string(command) + " did something"};
}

std::string RandomUser::summary() const {
    std::ostringstream out;
    out << steps_ << " actions in " << starts_ << " runs of the program, " << messages_
        << " message boxes, " << questionsOnText_ << " questions before text was lost:";
    for (const auto& [kind, count] : counts_)
        out << ' ' << kind << '=' << count;
    out << "; dialogs opened:";
    for (const auto& [dialog, count] : opened_)
        out << ' ' << dialog << '=' << count;
    if (std::getenv("QALIX_RANDOM_PROFILE") == nullptr) return out.str();
    std::vector<std::pair<double, std::string>> costs;
    for (const auto& [action, seconds] : seconds_)
        costs.emplace_back(seconds, action);
    std::sort(costs.rbegin(), costs.rend());
    out << "\nseconds, with the modal dialogs they open:";
    for (std::size_t i = 0; i < costs.size() && i < 15; ++i)
        out << "\n  " << costs[i].first << ' ' << costs[i].second;
    return out.str();
}

}  // namespace qalix::testing
