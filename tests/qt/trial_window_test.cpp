// The trial's dialog on the screen: looks typed into its fields, "Analyse" clicked, and the
// analysis shown in its read-only text of many lines, in a fixed-pitch face that keeps the
// table's columns in line.
#include <QAction>
#include <QFontInfo>
#include <QPlainTextEdit>

#include "analysis/trial_dialog_ids.hpp"
#include "desktop.hpp"
#include "ui/menu_ids.hpp"

namespace qalix::qt::testing {
namespace {

using namespace trialdialog;

class TrialWindow : public Desktop {};

TEST_F(TrialWindow, AnalysisShowsInAFixedPitchTextAsTheModelHoldsIt) {
    computeDesign();
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    QString analysis;
    bool fixedPitch = false;
    whenShown(
        kTrialDialog,
        [&] {
            type(kTrialDialog, kInformationEdit[0], QStringLiteral("6"));
            type(kTrialDialog, kValueEdit[0], QStringLiteral("2.2"));
            type(kTrialDialog, kInformationEdit[1], QStringLiteral("12"));
            pick(kTrialDialog, kKindCombo[1], QStringLiteral("mean"));
            type(kTrialDialog, kValueEdit[1], QStringLiteral("0.44"));
            click(kTrialDialog, kAnalyse);
            auto* view = qobject_cast<QPlainTextEdit*>(widget(kTrialDialog, kResultEdit));
            ASSERT_NE(view, nullptr);
            analysis = view->toPlainText();
            fixedPitch = QFontInfo(view->font()).fixedPitch();
            expectWidgetsFollowTheModel(kTrialDialog);
            saveScreen(screen, QStringLiteral("trial-dialog"));
        },
        kClose);
    frame.action(menu::kAnalyseTrial)->trigger();
    EXPECT_EQ(takeBoxes(), std::vector<std::string>{});
    EXPECT_EQ(analysis.toStdString(), model(kTrialDialog, kResultEdit));
    EXPECT_TRUE(analysis.startsWith(QStringLiteral("Look   n       t")));
    EXPECT_TRUE(fixedPitch);
}

}  // namespace
}  // namespace qalix::qt::testing
