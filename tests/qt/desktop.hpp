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
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "platform/qt/dialog_window.hpp"
#include "platform/qt/frame_main_window.hpp"
#include "platform/qt/qt_platform.hpp"
#include "platform/qt/spin_arrows.hpp"
#include "shell/program.hpp"
#include "shell/startup.hpp"

namespace qalix::qt::testing {

// Where the tests leave their screenshots for a person to look at.
inline QString screenshotPath(const QString& name) {
    const QString path = QStringLiteral(QALIX_SCREENSHOT_DIR "/%1.png").arg(name);
    QDir().mkpath(QFileInfo(path).path());  // a name may lie in a folder of its own
    return path;
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
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                boxes.push_back((box->windowTitle() + ": " + box->text()).toStdString());
                if (boxSteps) std::exchange(boxSteps, nullptr)(*box);
                if (box->isVisible()) box->accept();
            }
            // A file, font or print dialog whose steps failed would wait forever.
            auto* common = qobject_cast<QDialog*>(modal);
            const bool lingers =
                common != nullptr && qobject_cast<DialogWindow*>(common) == nullptr;
            modalTicks = lingers && modal == lastModal ? modalTicks + 1 : 0;
            lastModal = modal;
            if (modalTicks > kLingeringTicks) {
                ADD_FAILURE() << "a dialog the test left open: "
                              << common->windowTitle().toStdString();
                common->reject();
            }
        });
        boxWatch.start();
        // As the program opens it: within the screen, which the tests' offscreen platform
        // makes 1920 by 1080 (tests/qt/screens) unless a test run asks for another.
        frame.openWithin(QApplication::primaryScreen()->availableGeometry(), 8);
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

    // Steps to take while the next message box is open, before it is answered with OK (or
    // with whichever button the steps click).
    void whileBoxIsOpen(std::function<void(QMessageBox&)> steps) { boxSteps = std::move(steps); }

    // What the user does in the next file dialog: goes to the folder, picks the type when
    // one is given, types the name and presses Return.
    void answerFileDialog(const QString& folder, const QString& name, const QString& type = {}) {
        QTimer::singleShot(0, &frame, [folder, name, type] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->setDirectory(folder);
            if (!type.isEmpty()) {
                auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                const int index = types->findText(type);
                types->setCurrentIndex(index);  // what the list sends when the user picks
                emit types->activated(index);
                emit types->textActivated(type);
            }
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QTest::keyClicks(edit, name);
            QTest::keyClick(edit, Qt::Key_Return);
        });
    }

    // "Sequential Design" computed through the panel with its start-up entries.
    void computeDesign() {
        whenShown(
            kInfoTimeDialog, [] {}, infotimes::kOk);
        click(kPanelDialog, panel::kGroupSizesButton);
        click(kPanelDialog, panel::kCoeffButton);
        click(kPanelDialog, panel::kSequentialDesignButton);
    }

    // The program's windows as the screen shows them: the frame, then every window above it,
    // each at its place, on a picture of the screen's size.
    void saveScreen(const QRect& screen, const QString& name) {
        const qreal ratio = frame.devicePixelRatioF();  // device pixels, as the screen has them
        QImage shot(screen.size() * ratio, QImage::Format_RGB32);
        shot.setDevicePixelRatio(ratio);
        shot.fill(Qt::black);
        QPainter painter(&shot);
        const auto paint = [&](QWidget& w) {
            painter.drawPixmap(w.frameGeometry().topLeft() - screen.topLeft(), w.grab());
        };
        paint(frame);
        const auto popup = [](QWidget* w) { return w->windowType() == Qt::Popup; };
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w != &frame && w->isVisible() && qobject_cast<QDialog*>(w) == nullptr && !popup(w))
                paint(*w);
        }
        for (QDialog* w : frame.findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
            if (w->isVisible()) paint(*w);
        }
        // An open menu lies above every window.
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && popup(w)) paint(*w);
        }
        painter.end();
        EXPECT_TRUE(shot.save(screenshotPath(name))) << name.toStdString();
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
    std::function<void(QMessageBox&)> boxSteps;
    static constexpr int kLingeringTicks = 250;  // five seconds
    QWidget* lastModal = nullptr;
    int modalTicks = 0;
    QtPlatform platform;
    Program program{platform};
    FrameMainWindow frame{program.frame()};
};

}  // namespace qalix::qt::testing
