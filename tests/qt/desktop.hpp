// The desktop program as a test meets it: the Qt platform, the frame window and the panel,
// started past the start screen, and a driver that acts on the widgets as a user's mouse and
// keyboard do. Modal dialogs are driven from inside Qt's nested loop: the steps are posted
// before the click that opens the dialog and run once its loop has started.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>
#include <string>

#include "platform/qt/dialog_window.hpp"
#include "platform/qt/frame_main_window.hpp"
#include "platform/qt/qt_platform.hpp"
#include "platform/qt/spin_arrows.hpp"
#include "shell/program.hpp"
#include "shell/startup.hpp"

namespace qalix::qt::testing {

// Where the tests leave their screenshots for a person to look at.
inline QString screenshotPath(const QString& name) {
    QDir().mkpath(QStringLiteral(QALIX_SCREENSHOT_DIR));
    return QStringLiteral(QALIX_SCREENSHOT_DIR "/%1.png").arg(name);
}

inline void saveScreenshot(QWidget& window, const QString& name) {
    EXPECT_TRUE(window.grab().save(screenshotPath(name))) << name.toStdString();
}

class Desktop : public ::testing::Test {
  protected:
    void SetUp() override {
        // A message box no test expected would wait forever for a click: answer it, and keep
        // its text for the test to look at.
        boxWatch.setInterval(20);
        QObject::connect(&boxWatch, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes.push_back((box->windowTitle() + ": " + box->text()).toStdString());
                box->accept();
            }
        });
        boxWatch.start();
        frame.move(8, 8);
        frame.resize(frame.sizeForDefaultClient());
        frame.show();
        platform.setFrame(&frame);
        // The start screen is the first loop to run: a posted click reaches it.
        QTimer::singleShot(0, &frame, [this] { click(kStartScreenDialog, startscreen::kStart); });
        ASSERT_TRUE(startUp(program));
    }
    void TearDown() override {
        // A modal loop a failed test left running must not outlive it.
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible())
                dialog->hide();
        }
        platform.releaseWindows();
        boxWatch.stop();
    }

    // The message boxes answered so far, cleared for the next step.
    std::vector<std::string> takeBoxes() {
        std::vector<std::string> taken;
        taken.swap(boxes);
        return taken;
    }

  public:
    DialogWindow& window(int dialog) {
        DialogWindow* w = platform.existingWindow(dialog);
        if (w == nullptr)
            throw std::logic_error("dialog " + std::to_string(dialog) + " never shown");
        return *w;
    }
    QWidget* widget(int dialog, int control) { return window(dialog).widget(control); }
    std::string shown(int dialog, int control) {
        return window(dialog).shownText(control).toStdString();
    }
    std::string model(int dialog, int control) { return program.dialog(dialog).getText(control); }

    // The user's actions, on the widgets.
    void click(int dialog, int control) {
        QWidget* w = widget(dialog, control);
        ASSERT_NE(w, nullptr) << control;
        ASSERT_TRUE(w->isEnabled()) << "control " << control << " of " << dialog << " is greyed";
        QTest::mouseClick(w, Qt::LeftButton);
    }
    void type(int dialog, int control, const QString& text) {
        QWidget* w = widget(dialog, control);
        QLineEdit* edit = qobject_cast<QLineEdit*>(w);
        if (auto* combo = qobject_cast<QComboBox*>(w)) edit = combo->lineEdit();
        ASSERT_NE(edit, nullptr) << control;
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    void pick(int dialog, int control, const QString& item) {
        auto* combo = qobject_cast<QComboBox*>(widget(dialog, control));
        ASSERT_NE(combo, nullptr) << control;
        const int index = combo->findText(item, Qt::MatchExactly);
        ASSERT_GE(index, 0) << item.toStdString();
        // What the list does when the user picks an item in it.
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void spin(int dialog, int control, int position) {
        auto* arrows = qobject_cast<SpinArrows*>(widget(dialog, control));
        ASSERT_NE(arrows, nullptr) << control;
        for (int guard = 0; guard < 1000; ++guard) {
            const int now = program.dialog(dialog).getInt(control);
            if (now == position) return;
            QWidget* arrow = now < position ? arrows->up() : arrows->down();
            QTest::mouseClick(arrow, Qt::LeftButton);
            if (program.dialog(dialog).getInt(control) == now) return;  // at the end of its range
        }
    }
    // Steps to take in the modal dialog the next click shows; the dialog is ended with
    // closeWith after them when they leave it open.
    void whenShown(int dialog, std::function<void()> steps, int closeWith = kIdOk) {
        Dialog& d = program.dialog(dialog);
        auto token = std::make_shared<int>(0);
        *token = d.observe(
            [this, &d, token, dialog, steps, closeWith](const Dialog&, int, Change change) {
                if (change != Change::Opened) return;
                d.unobserve(*token);
                // Posted now, run once the dialog's own loop has started.
                QTimer::singleShot(0, &frame, [this, dialog, steps, closeWith] {
                    steps();
                    if (program.dialog(dialog).isOpen())
                        QTest::mouseClick(widget(dialog, closeWith), Qt::LeftButton);
                });
            });
    }

    // Every addressed control of a shown dialog shows what its model holds.
    void expectWidgetsFollowTheModel(int dialog) {
        const Dialog& d = program.dialog(dialog);
        for (const ControlTemplate& t : d.layout().controls) {
            if (t.id == kUnaddressed || t.kind == ControlKind::Spin ||
                t.kind == ControlKind::Picture || t.kind == ControlKind::Line)
                continue;
            QWidget* w = widget(dialog, t.id);
            EXPECT_EQ(shown(dialog, t.id), d.getText(t.id)) << d.describe(t.id);
            EXPECT_EQ(w->isEnabled(), d.getLogical(t.id, Index::Enabled)) << d.describe(t.id);
            auto* button = qobject_cast<QAbstractButton*>(w);
            if (button != nullptr && button->isCheckable()) {
                EXPECT_EQ(button->isChecked(), d.getLogical(t.id)) << d.describe(t.id);
            }
        }
    }

  protected:
    QTimer boxWatch;
    std::vector<std::string> boxes;
    QtPlatform platform;
    Program program{platform};
    FrameMainWindow frame{program.frame()};
};

}  // namespace qalix::qt::testing
