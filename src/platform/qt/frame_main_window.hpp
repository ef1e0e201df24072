// The frame window on the screen: the menu bar with its accelerators, the title, and a
// client area that is the graphic window or the text window by the frame model's mode.
#pragma once

#include <QMainWindow>
#include <QSet>
#include <map>

#include "shell/frame_window.hpp"

class QAction;
class QMenu;
class QPlainTextEdit;
class QStackedWidget;

namespace qalix::qt {

// The graphic window: replays the frame's picture (the last plot pass, or the opened
// metafile stretched over it) whenever it paints, and tells the frame its size, on which the
// plots' origins depend.
class GraphicWindow : public QWidget {
    Q_OBJECT

  public:
    GraphicWindow(FrameWindow& model, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    FrameWindow& model_;
};

class FrameMainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit FrameMainWindow(FrameWindow& model);
    ~FrameMainWindow() override;

    FrameWindow& model() { return model_; }
    QAction* action(int command) const;
    QPlainTextEdit* textWindow() const { return text_; }
    GraphicWindow* graphicWindow() const { return graphic_; }
    // The frame's size for a client area of the plots' default size.
    QSize sizeForDefaultClient() const;
    // Shows the frame at its default size, or smaller where the screen's available area is,
    // inset from the area's top left; its title bar and borders within the area too.
    void openWithin(const QRect& available, int inset);
    // Alt with a menu's letter, pressed in another window of the program (the panel, a
    // modeless dialog, the help), opens that menu of the frame, as it does in the frame.
    void addMenuKeysTo(QWidget* window);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

  private:
    void buildMenu(QMenu* into, const std::vector<MenuEntry>& entries);
    void buildMenuBar();
    // The item as the menu model has it now: text, enabled, shown.
    void showItem(int command);
    void buildAccelerators();
    void sync(FrameChange change);
    void showMode();
    void showText();
    void applyEditAction();
    void raiseOwnedWindows();
    void openMenu(QAction* menu);

    FrameWindow& model_;
    QStackedWidget* pages_;
    GraphicWindow* graphic_;
    QPlainTextEdit* text_;
    std::map<int, QAction*> actions_;
    int frameObserver_ = 0;
    int menuObserver_ = 0;
    QSet<const QWidget*> menuKeyWindows_;
};

}  // namespace qalix::qt
