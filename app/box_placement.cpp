#include "box_placement.hpp"

#include <algorithm>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

bool isShown(const QWidget& window) {
    return window.windowHandle() != nullptr && window.windowHandle()->isVisible();
}

} // namespace

int captionWidth(const QWidget& window) {
    const QFontMetrics metrics(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    // The window icon, the close button and the frame take about six lines' height together.
    return metrics.horizontalAdvance(window.windowTitle()) + 6 * metrics.height();
}

void fitAndPlace(QWidget& box, const QWidget* owner) {
    const int wanted = captionWidth(box);
    if (box.width() < wanted) {
        if (box.minimumWidth() == box.maximumWidth()) {
            box.setFixedWidth(wanted);
        } else {
            box.setMinimumWidth(std::max(box.minimumWidth(), wanted));
            box.resize(wanted, box.height());
        }
    }
    const QWidget* window = owner != nullptr ? owner->window() : nullptr;
    const QRect area =
        window != nullptr && isShown(*window) ? window->frameGeometry() : box.screen()->availableGeometry();
    QRect frame = box.frameGeometry();
    frame.moveCenter(area.center());
    box.move(frame.topLeft());
}
