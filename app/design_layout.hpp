#pragma once

#include <vector>

#include <QRect>
#include <QSize>

class QWidget;

// Places the widgets of a window at the positions and sizes of its design, which was drawn for a
// small 8-point font at 96 dpi. The design is stretched, across and down separately, just enough
// for every caption of the font in use to fit, so nothing is clipped whatever the font or scale.
class DesignLayout {
public:
    enum class Fit {
        Caption, // the widget's preferred size must fit its design rectangle once stretched
        Height,  // only its preferred height: an edit's preferred width says nothing of its text
        None,    // placed only
    };

    void add(QWidget* widget, QRect design, Fit fit = Fit::Caption);

    // Stretches the design, places every widget and returns the stretched size of the design area.
    QSize apply(QSize designArea) const;

private:
    struct Item {
        QWidget* widget;
        QRect design;
        Fit fit;
    };
    std::vector<Item> items_;
};
