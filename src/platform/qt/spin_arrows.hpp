// An up-down control: two small arrow buttons beside the edit that shows its position. The
// model keeps the position and its range; the arrows only ask for one step up or down.
#pragma once

#include <QWidget>

class QKeyEvent;
class QToolButton;

namespace qalix::qt {

class SpinArrows : public QWidget {
    Q_OBJECT

  public:
    explicit SpinArrows(QWidget* parent);
    QToolButton* up() const { return up_; }
    QToolButton* down() const { return down_; }
    // The edit that shows the position: with the arrows it is one spin box, which takes the
    // keyboard when either is focused.
    void setBuddy(QWidget* edit);

  signals:
    void stepped(int delta);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Steps as a spin box does for the key (arrows one, Page Up and Page Down ten); false
    // for any other key.
    bool stepByKey(const QKeyEvent& key);

    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace qalix::qt
