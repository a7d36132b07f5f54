#include "bump_chart.hpp"

#include <algorithm>

#include <QPainter>
#include <QPainterPath>

using vantor::BumpEntry;

namespace {

constexpr int Padding = 4;

QString numberText(int value) {
    return QString::number(value);
}

} // namespace

BumpChart::BumpChart(QWidget* parent)
    : QWidget(parent) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void BumpChart::setEntries(std::vector<BumpEntry> entries) {
    entries_ = std::move(entries);
    update();
}

void BumpChart::setOtherEntries(std::optional<std::vector<BumpEntry>> entries) {
    otherEntries_ = std::move(entries);
    update();
}

void BumpChart::setCurrentEntry(std::optional<std::size_t> index) {
    current_ = index;
    update();
}

QColor BumpChart::lineColour() {
    return {0x1f, 0x5f, 0xbf};
}

QColor BumpChart::otherLineColour() {
    return {0xd0, 0x60, 0x10};
}

BumpChart::Scale BumpChart::scale() const {
    Scale scale;
    bool first = true;
    const auto take = [&](const std::vector<BumpEntry>& entries) {
        for (const BumpEntry& entry : entries) {
            if (first) {
                scale = {entry.first, entry.first, entry.second, entry.second};
                first = false;
            }
            scale.minFirst = std::min<int>(scale.minFirst, entry.first);
            scale.maxFirst = std::max<int>(scale.maxFirst, entry.first);
            scale.minSecond = std::min<int>(scale.minSecond, entry.second);
            scale.maxSecond = std::max<int>(scale.maxSecond, entry.second);
        }
    };
    take(entries_);
    if (otherEntries_) {
        take(*otherEntries_);
    }
    // A single value still needs an axis of some length.
    if (scale.maxFirst == scale.minFirst) {
        ++scale.maxFirst;
    }
    if (scale.maxSecond == scale.minSecond) {
        ++scale.maxSecond;
    }
    return scale;
}

QRectF BumpChart::plotArea() const {
    const Scale s = scale();
    const QFontMetrics metrics = fontMetrics();
    const int labelWidth = std::max(metrics.horizontalAdvance(numberText(s.minSecond)),
                                    metrics.horizontalAdvance(numberText(s.maxSecond)));
    const qreal left = labelWidth + 2 * Padding;
    const qreal top = metrics.height() / 2.0 + Padding;
    const qreal right =
        width() - std::max(metrics.horizontalAdvance(numberText(s.maxFirst)) / 2.0, 0.0) - Padding;
    const qreal bottom = height() - metrics.height() - 2 * Padding;
    return {QPointF(left, top), QPointF(std::max(right, left + 1), std::max(bottom, top + 1))};
}

QPointF BumpChart::positionOf(const BumpEntry& entry) const {
    const Scale s = scale();
    const QRectF area = plotArea();
    const qreal across = qreal(entry.first - s.minFirst) / (s.maxFirst - s.minFirst);
    const qreal up = qreal(entry.second - s.minSecond) / (s.maxSecond - s.minSecond);
    return {area.left() + across * area.width(), area.bottom() - up * area.height()};
}

QSize BumpChart::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(QLatin1Char('0')) * 40, metrics.height() * 12};
}

QSize BumpChart::minimumSizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(QLatin1Char('0')) * 20, metrics.height() * 6};
}

void BumpChart::drawLine(QPainter& painter, const std::vector<BumpEntry>& entries,
                         const QColor& colour) const {
    if (entries.empty()) {
        return;
    }
    QPainterPath path(positionOf(entries.front()));
    for (std::size_t i = 1; i < entries.size(); ++i) {
        path.lineTo(positionOf(entries[i]));
    }
    painter.setPen(QPen(colour, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setBrush(colour);
    for (const BumpEntry& entry : entries) {
        painter.drawEllipse(positionOf(entry), 2.5, 2.5);
    }
}

void BumpChart::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Scale s = scale();
    const QRectF area = plotArea();
    const QFontMetrics metrics = fontMetrics();

    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.bottomLeft(), area.topLeft());
    painter.setPen(palette().color(QPalette::Text));
    const qreal labelRight = area.left() - Padding;
    painter.drawText(QRectF(0, area.top() - metrics.height() / 2.0, labelRight, metrics.height()),
                     Qt::AlignRight | Qt::AlignVCenter, numberText(s.maxSecond));
    painter.drawText(QRectF(0, area.bottom() - metrics.height() / 2.0, labelRight, metrics.height()),
                     Qt::AlignRight | Qt::AlignVCenter, numberText(s.minSecond));
    const qreal labelTop = area.bottom() + Padding;
    painter.drawText(QRectF(area.left(), labelTop, area.width() / 2, metrics.height()),
                     Qt::AlignLeft | Qt::AlignTop, numberText(s.minFirst));
    const QString maxFirst = numberText(s.maxFirst);
    const qreal maxWidth = metrics.horizontalAdvance(maxFirst);
    painter.drawText(QRectF(area.right() - maxWidth / 2, labelTop, maxWidth, metrics.height()),
                     Qt::AlignHCenter | Qt::AlignTop, maxFirst);

    if (otherEntries_) {
        drawLine(painter, *otherEntries_, otherLineColour());
    }
    drawLine(painter, entries_, lineColour());
    if (current_ && *current_ < entries_.size()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(positionOf(entries_[*current_]), 5.0, 5.0);
    }
}
