// An up-down control: two small arrow buttons beside the edit that shows its position. The
// model keeps the position and its range; the arrows only ask for one step up or down.
#pragma once

#include <QWidget>

class QToolButton;

namespace qalix::qt {

class SpinArrows : public QWidget {
    Q_OBJECT

  public:
    explicit SpinArrows(QWidget* parent);
    QToolButton* up() const { return up_; }
    QToolButton* down() const { return down_; }

  signals:
    void stepped(int delta);

  private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace qalix::qt
