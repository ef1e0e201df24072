// Dialog units: a template's positions are in quarters of the dialog font's average
// character width across and eighths of its height down, so a dialog keeps its proportions
// whatever font and screen it is shown with.
#pragma once

#include <QFont>
#include <QRect>

namespace qalix::qt {

class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseX, int baseY) : baseX_(baseX), baseY_(baseY) {}

    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int width, int height) const;
    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

  private:
    int baseX_;  // average width of the alphabet's 52 letters, pixels
    int baseY_;  // height of the font, pixels
};

}  // namespace qalix::qt
