#include "deferred_icon_engine.hpp"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>

namespace {

// Three of the program's drawings, so that most sizes asked for fall between two of them.
QIcon madeIcon() {
    QIcon icon;
    for (const char* size : {"16x16", "48x48", "256x256"}) {
        icon.addFile(QStringLiteral(":/icons/hicolor/%1/apps/vantor2000.png").arg(QLatin1String(size)));
    }
    return icon;
}

QImage painted(const QIcon& icon, const QRect& rect, QIcon::Mode mode) {
    QImage image(300, 300, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.paint(&painter, rect, Qt::AlignCenter, mode);
    return image;
}

} // namespace

class DeferredIconEngineTest : public QObject {
    Q_OBJECT

private slots:
    // As the program's icon: a window shown on a platform without window icons never asks for the
    // pictures; the first question makes the icon, and copies of the icon use that one.
    void makesTheIconWhenFirstAskedOnce() {
        int made = 0;
        QApplication::setWindowIcon(QIcon(new DeferredIconEngine([&made] {
            ++made;
            return madeIcon();
        })));
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(made, 0);

        QCOMPARE(window.windowIcon().availableSizes(), madeIcon().availableSizes());
        QIcon copy = window.windowIcon();
        copy.pixmap(32);
        QCOMPARE(made, 1);
        QApplication::setWindowIcon(QIcon());
    }

    void drawsAsTheIconItMakes_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QIcon::Mode>("mode");
        QTest::newRow("a drawing's own size") << QSize(48, 48) << 1.0 << QIcon::Normal;
        QTest::newRow("between two drawings") << QSize(32, 32) << 1.0 << QIcon::Normal;
        QTest::newRow("below the smallest") << QSize(10, 10) << 1.0 << QIcon::Normal;
        QTest::newRow("above the largest") << QSize(300, 300) << 1.0 << QIcon::Normal;
        QTest::newRow("not square") << QSize(40, 20) << 1.0 << QIcon::Normal;
        QTest::newRow("disabled") << QSize(32, 32) << 1.0 << QIcon::Disabled;
        QTest::newRow("selected") << QSize(48, 48) << 1.0 << QIcon::Selected;
        QTest::newRow("double density") << QSize(24, 24) << 2.0 << QIcon::Normal;
        QTest::newRow("fractional density") << QSize(22, 22) << 1.25 << QIcon::Active;
        QTest::newRow("fractional density, disabled") << QSize(17, 17) << 1.5 << QIcon::Disabled;
    }
    void drawsAsTheIconItMakes() {
        QFETCH(QSize, size);
        QFETCH(qreal, ratio);
        QFETCH(QIcon::Mode, mode);
        const QIcon made = madeIcon();
        const QIcon deferred(new DeferredIconEngine(madeIcon));

        const QPixmap expected = made.pixmap(size, ratio, mode);
        const QPixmap actual = deferred.pixmap(size, ratio, mode);
        QCOMPARE(actual.devicePixelRatio(), expected.devicePixelRatio());
        QCOMPARE(actual.toImage(), expected.toImage());
        QCOMPARE(deferred.actualSize(size, mode), made.actualSize(size, mode));
        QCOMPARE(deferred.availableSizes(mode), made.availableSizes(mode));
        QCOMPARE(deferred.isNull(), made.isNull());
        const QRect rect(QPoint(5, 7), size);
        QCOMPARE(painted(deferred, rect, mode), painted(made, rect, mode));
    }

    void isNullWhenTheMadeIconIs() {
        QVERIFY(QIcon(new DeferredIconEngine([] { return QIcon(); })).isNull());
    }
};

QTEST_MAIN(DeferredIconEngineTest)
#include "deferred_icon_engine_test.moc"
