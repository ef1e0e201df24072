// A dialog of the program as a Qt window: its widgets built from the dialog's template at
// the positions it gives, every change of the model mirrored into them with their signals
// blocked, and every edit, pick, click and step of the user turned into the model's user
// action. The widgets hold nothing of their own, so they and the model never disagree.
#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <vector>

#include "platform/qt/dialog_units.hpp"
#include "ui/dialog.hpp"

namespace qalix::qt {

class DialogWindow : public QDialog {
    Q_OBJECT

  public:
    DialogWindow(Dialog& model, QWidget* parent);
    ~DialogWindow() override;

    Dialog& model() { return model_; }
    // The widget of an addressed control (for tests and screenshots), or nullptr.
    QWidget* widget(int control) const;
    // Every widget made from the template, addressed or not, in template order.
    const std::vector<QWidget*>& widgets() const { return all_; }
    const DialogUnits& units() const { return units_; }
    // The text a widget shows, as the model would hold it (for comparisons).
    QString shownText(int control) const;

    // Runs the dialog modally until the model ends it; returns its exit code.
    int runModal();
    // What F1 does in the dialog: its page of the help.
    void onHelp(std::function<void()> help) { help_ = std::move(help); }

  protected:
    void reject() override;  // Esc
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void build();
    void joinSpinsToBuddies();
    QWidget* makeWidget(const Control& control);
    void connectUser(const Control& control, QWidget* widget);
    void syncAll();
    void sync(int control, Change change);
    void syncText(const Control& c, QWidget* w);
    void syncItems(const Control& c, QWidget* w);
    void syncSelection(const Control& c, QWidget* w);
    void modelClosed();

    Dialog& model_;
    DialogUnits units_;
    std::map<int, QWidget*> byId_;
    std::vector<QWidget*> all_;
    int observer_ = 0;
    bool inModalLoop_ = false;
    std::function<void()> help_;
};

}  // namespace qalix::qt
