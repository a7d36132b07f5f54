#include "deferred_icon_engine.hpp"

#include <utility>

DeferredIconEngine::DeferredIconEngine(std::function<QIcon()> make)
    : source_(std::make_shared<Source>(Source{std::move(make), std::nullopt})) {}

const QIcon& DeferredIconEngine::icon() {
    if (!source_->icon) {
        source_->icon = source_->make();
    }
    return *source_->icon;
}

void DeferredIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) {
    // The rectangle is already fitted to actualSize(), which the icon then keeps as it is.
    icon().paint(painter, rect, Qt::AlignCenter, mode, state);
}

// The icon's own answers, without the scaling its public functions add for the screen: at a ratio
// of 1 they pass the request straight through.

QSize DeferredIconEngine::actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    return pixmap(size, mode, state).size();
}

QPixmap DeferredIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    return icon().pixmap(size, 1.0, mode, state);
}

QPixmap DeferredIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                                         qreal scale) {
    // The icon multiplies the size by the scale again.
    return icon().pixmap(size / scale, scale, mode, state);
}

QList<QSize> DeferredIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state) {
    return icon().availableSizes(mode, state);
}

bool DeferredIconEngine::isNull() {
    return icon().isNull();
}

QIconEngine* DeferredIconEngine::clone() const {
    return new DeferredIconEngine(*this);
}
