#include "deferred_overflow_icon_style.hpp"

#include <memory>

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>
#include <QToolButton>

namespace {

// The style underneath, counting the overflow icons it is asked for.
class CountingStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (icon == SP_ToolBarHorizontalExtensionButton) {
            ++overflowIcons;
        }
        return QProxyStyle::standardIcon(icon, option, widget);
    }

    mutable int overflowIcons = 0;
};

QImage imageOf(const QIcon& icon) {
    return icon.pixmap(16, 1.0).toImage();
}

} // namespace

class DeferredOverflowIconStyleTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        counting_ = new CountingStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setStyle(new DeferredOverflowIconStyle(counting_));
    }

    // A menu that fits leaves the overflow button's picture unread; one that does not shows the
    // button with the style's own picture.
    void readsTheOverflowIconWhenTheButtonIsDrawn_data() {
        QTest::addColumn<int>("menus");
        QTest::addColumn<int>("reads");
        QTest::newRow("fits") << 2 << 0;
        QTest::newRow("overflows") << 30 << 1;
    }
    void readsTheOverflowIconWhenTheButtonIsDrawn() {
        QFETCH(int, menus);
        QFETCH(int, reads);
        QMainWindow window;
        for (int k = 0; k < menus; ++k) {
            window.menuBar()->addMenu(QStringLiteral("Menu %1").arg(k));
        }
        window.resize(300, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.grab();
        QCOMPARE(counting_->overflowIcons, reads);

        auto* button = window.menuBar()->findChild<QToolButton*>();
        QVERIFY(button != nullptr);
        QCOMPARE(imageOf(button->icon()),
                 imageOf(fusion_->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton)));
    }

    // Every other icon, and the overflow icon asked for with an option, comes from the style at once.
    void passesOtherIconsStraightOn_data() {
        QTest::addColumn<QStyle::StandardPixmap>("icon");
        QTest::addColumn<bool>("withOption");
        QTest::newRow("warning") << QStyle::SP_MessageBoxWarning << false;
        QTest::newRow("vertical overflow") << QStyle::SP_ToolBarVerticalExtensionButton << false;
        QTest::newRow("overflow with an option") << QStyle::SP_ToolBarHorizontalExtensionButton << true;
    }
    void passesOtherIconsStraightOn() {
        QFETCH(QStyle::StandardPixmap, icon);
        QFETCH(bool, withOption);
        const QStyleOption option;
        const QIcon passed = QApplication::style()->standardIcon(icon, withOption ? &option : nullptr);
        QCOMPARE(counting_->overflowIcons, withOption ? 1 : 0);
        QCOMPARE(imageOf(passed), imageOf(fusion_->standardIcon(icon, withOption ? &option : nullptr)));
    }

private:
    CountingStyle* counting_ = nullptr; // owned by the application's style
    const std::unique_ptr<QStyle> fusion_{QStyleFactory::create(QStringLiteral("Fusion"))};
};

QTEST_MAIN(DeferredOverflowIconStyleTest)
#include "deferred_overflow_icon_style_test.moc"
