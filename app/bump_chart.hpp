#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include <QPointF>
#include <QRectF>
#include <QWidget>

#include "magic_block.hpp"

// The bump table drawn as a line through its entries in table order, the first number across and
// the second up; a second table, when compared, is drawn beside it in another colour.
class BumpChart : public QWidget {
    Q_OBJECT

public:
    explicit BumpChart(QWidget* parent = nullptr);

    void setEntries(std::vector<vantor::BumpEntry> entries);
    void setOtherEntries(std::optional<std::vector<vantor::BumpEntry>> entries);
    // The entry drawn larger, as the one selected in the table; none when out of range.
    void setCurrentEntry(std::optional<std::size_t> index);

    const std::vector<vantor::BumpEntry>& entries() const { return entries_; }

    // Where an entry is drawn: both tables share one scale, so that their lines can be compared.
    QPointF positionOf(const vantor::BumpEntry& entry) const;
    // The area inside the axes.
    QRectF plotArea() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static QColor lineColour();
    static QColor otherLineColour();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Scale {
        int minFirst = 0;
        int maxFirst = 1;
        int minSecond = 0;
        int maxSecond = 1;
    };
    Scale scale() const;
    void drawLine(QPainter& painter, const std::vector<vantor::BumpEntry>& entries,
                  const QColor& colour) const;

    std::vector<vantor::BumpEntry> entries_;
    std::optional<std::vector<vantor::BumpEntry>> otherEntries_;
    std::optional<std::size_t> current_;
};
