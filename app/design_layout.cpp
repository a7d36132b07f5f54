#include "design_layout.hpp"

#include <algorithm>

#include <QWidget>

void DesignLayout::add(QWidget* widget, QRect design, Fit fit) {
    items_.push_back({widget, design, fit});
}

QSize DesignLayout::apply(QSize designArea) const {
    double across = 1.0;
    double down = 1.0;
    for (const Item& item : items_) {
        const QSize wanted = item.widget->sizeHint();
        if (item.fit == Fit::Caption) {
            across = std::max(across, double(wanted.width()) / item.design.width());
        }
        if (item.fit != Fit::None) {
            down = std::max(down, double(wanted.height()) / item.design.height());
        }
    }
    // Edges are scaled rather than sizes, so that controls which touch in the design still touch.
    const auto x = [across](int v) { return qRound(v * across); };
    const auto y = [down](int v) { return qRound(v * down); };
    for (const Item& item : items_) {
        const QRect& d = item.design;
        item.widget->setGeometry(x(d.left()), y(d.top()), x(d.left() + d.width()) - x(d.left()),
                                 y(d.top() + d.height()) - y(d.top()));
    }
    return {x(designArea.width()), y(designArea.height())};
}
