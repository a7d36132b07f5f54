#include "bump_chart.hpp"

#include <QImage>
#include <QTest>

using vantor::BumpEntry;

namespace {

// The colour of the chart's pixels around a point, so that antialiased edges still count.
bool drawnNear(const QImage& image, QPointF at, const QColor& colour) {
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            const QPoint pixel = at.toPoint() + QPoint(dx, dy);
            if (image.rect().contains(pixel) && image.pixelColor(pixel) == colour) {
                return true;
            }
        }
    }
    return false;
}

QImage rendered(BumpChart& chart) {
    return chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class BumpChartTest : public QObject {
    Q_OBJECT

private slots:
    // The smallest first number sits at the left edge of the plot, the largest at the right; the
    // smallest second number at the bottom, the largest at the top.
    void mapsEntriesToThePlotArea_data() {
        QTest::addColumn<QList<int>>("numbers");
        QTest::newRow("rising") << QList<int>{100, 10, 1200, 37, 2400, 90};
        QTest::newRow("falling, unordered") << QList<int>{5000, 3, 0, 65534, 800, 1000};
        QTest::newRow("one entry") << QList<int>{7, 7};
        QTest::newRow("equal seconds") << QList<int>{1, 5, 9, 5};
    }
    void mapsEntriesToThePlotArea() {
        QFETCH(QList<int>, numbers);
        std::vector<BumpEntry> entries;
        for (qsizetype i = 0; i + 1 < numbers.size(); i += 2) {
            entries.push_back({std::uint16_t(numbers[i]), std::uint16_t(numbers[i + 1])});
        }
        BumpChart chart;
        chart.resize(400, 200);
        chart.setEntries(entries);
        const QRectF area = chart.plotArea();
        QVERIFY(QRectF(chart.rect()).contains(area));
        const auto byFirst = [](const BumpEntry& a, const BumpEntry& b) { return a.first < b.first; };
        const auto bySecond = [](const BumpEntry& a, const BumpEntry& b) { return a.second < b.second; };
        const auto leftmost = *std::min_element(entries.begin(), entries.end(), byFirst);
        const auto rightmost = *std::max_element(entries.begin(), entries.end(), byFirst);
        const auto lowest = *std::min_element(entries.begin(), entries.end(), bySecond);
        const auto highest = *std::max_element(entries.begin(), entries.end(), bySecond);
        QCOMPARE(chart.positionOf(leftmost).x(), area.left());
        QCOMPARE(chart.positionOf(lowest).y(), area.bottom());
        if (rightmost.first != leftmost.first) {
            QCOMPARE(chart.positionOf(rightmost).x(), area.right());
        }
        if (highest.second != lowest.second) {
            QCOMPARE(chart.positionOf(highest).y(), area.top());
        }
        for (const BumpEntry& entry : entries) {
            QVERIFY(area.contains(chart.positionOf(entry)) || area.bottomRight() == chart.positionOf(entry) ||
                    area.topRight() == chart.positionOf(entry) ||
                    area.bottomLeft() == chart.positionOf(entry));
        }
    }

    // Every entry is drawn, and a changed table is drawn anew; the compared table shares the scale.
    void drawsEachTableAndRedrawsOnChange() {
        BumpChart chart;
        chart.resize(300, 160);
        chart.setEntries({{0, 0}, {100, 50}, {200, 10}});
        QImage image = rendered(chart);
        for (const BumpEntry& entry : chart.entries()) {
            QVERIFY(drawnNear(image, chart.positionOf(entry), BumpChart::lineColour()));
        }

        chart.setEntries({{0, 0}, {100, 50}, {200, 40}});
        image = rendered(chart);
        QVERIFY(drawnNear(image, chart.positionOf({200, 40}), BumpChart::lineColour()));

        chart.setOtherEntries(std::vector<BumpEntry>{{0, 100}, {200, 100}});
        image = rendered(chart);
        QCOMPARE(chart.positionOf({0, 100}).y(), chart.plotArea().top());
        QVERIFY(drawnNear(image, chart.positionOf({200, 100}), BumpChart::otherLineColour()));
        QVERIFY(drawnNear(image, chart.positionOf({100, 50}), BumpChart::lineColour()));

        chart.setOtherEntries(std::nullopt);
        image = rendered(chart);
        QVERIFY(!drawnNear(image, chart.positionOf({200, 100}), BumpChart::otherLineColour()));
    }

    // An empty table draws the axes alone, without failing.
    void drawsAnEmptyTable() {
        BumpChart chart;
        chart.resize(200, 100);
        chart.setEntries({});
        chart.setCurrentEntry(3);
        const QImage image = rendered(chart);
        QVERIFY(!image.isNull());
    }
};

QTEST_MAIN(BumpChartTest)
#include "bump_chart_test.moc"
