#include "vantor_about.hpp"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

class VantorAboutTest : public QObject {
    Q_OBJECT

private slots:
    void showsNameVersionAndCredits() {
        TFAbout about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About"));
        QCOMPARE(about.LProgramVersion->text(), QStringLiteral("Vantor - 2000 version 1.00"));
        QVERIFY(!about.Label1->text().isEmpty());
        const QStringList credits = about.MCredits->toPlainText().split('\n');
        QCOMPARE(credits.size(), 6);
        QCOMPARE(credits[0], QStringLiteral("Thanks to : "));
        QCOMPARE(credits[1], QString());
        for (qsizetype i = 2; i < credits.size(); ++i) {
            QVERIFY(!credits[i].isEmpty());
        }
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QVERIFY(!about.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!about.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    }

    void nothingIsClipped() {
        TFAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        for (QWidget* control : {static_cast<QWidget*>(about.LProgramVersion),
                                 static_cast<QWidget*>(about.Label1), static_cast<QWidget*>(about.BOK)}) {
            QVERIFY(control->sizeHint().width() <= control->width());
            QVERIFY(control->sizeHint().height() <= control->height());
        }
        QVERIFY(about.MCredits->document()->size().height() <= about.MCredits->viewport()->height());
    }

    // Enter and the close box end the box, Escape does not; the credits never take the focus.
    void closesByOkAndTheCloseBoxOnly_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("Enter") << "enter" << int(QDialog::Accepted);
        QTest::newRow("OK clicked") << "click" << int(QDialog::Accepted);
        QTest::newRow("close box") << "close" << int(QDialog::Rejected);
    }
    void closesByOkAndTheCloseBoxOnly() {
        QFETCH(QString, how);
        QFETCH(int, result);
        TFAbout about;
        bool stillOpenAfterEscape = false;
        QWidget* focusAtOpen = nullptr;
        QWidget* focusAfterTab = nullptr;
        QTimer::singleShot(0, [&] {
            if (!QTest::qWaitForWindowActive(&about)) {
                about.done(-1);
                return;
            }
            focusAtOpen = QApplication::focusWidget();
            QTest::keyClick(focusAtOpen, Qt::Key_Escape);
            stillOpenAfterEscape = about.isVisible();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            focusAfterTab = QApplication::focusWidget();
            if (how == "enter") {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            } else if (how == "click") {
                QTest::mouseClick(about.BOK, Qt::LeftButton);
            } else {
                about.close();
            }
        });
        QCOMPARE(about.exec(), result);
        QCOMPARE(focusAtOpen, about.BOK);
        QVERIFY(stillOpenAfterEscape);
        QCOMPARE(focusAfterTab, about.BOK);
    }
};

QTEST_MAIN(VantorAboutTest)
#include "vantor_about_test.moc"
