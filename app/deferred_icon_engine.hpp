#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QIcon>
#include <QIconEngine>

// An icon made the first time something asks for one of its pictures, then kept. Decoding every
// size of a drawing takes longer than the rest of the main window's start, and a window system
// that shows no window icons never asks. Copies share the icon once it is made.
class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(std::function<QIcon()> make);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    bool isNull() override;
    QIconEngine* clone() const override;

private:
    struct Source {
        std::function<QIcon()> make;
        std::optional<QIcon> icon;
    };

    const QIcon& icon();

    std::shared_ptr<Source> source_;
};
