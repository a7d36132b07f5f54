#include "program_identity.hpp"

#include <QIcon>
#include <QMainWindow>
#include <QTest>

#include "version.hpp"

class ProgramIdentityTest : public QObject {
    Q_OBJECT

private slots:
    void namesTheDesktopEntryAndVersion() {
        setProgramIdentity();
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Vantor-2000"));
        QCOMPARE(QApplication::applicationVersion().toStdString(), std::string(vantor::Version));
        // The installed entry's name without ".desktop".
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("vantor2000"));
    }

    // The drawings are built in, in every size from 16 to 256, and every window shows them.
    void everyWindowCarriesTheIcon() {
        setProgramIcon();
        const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            QVERIFY2(sizes.contains(QSize(size, size)),
                     qPrintable(QStringLiteral("no %1 pixel icon").arg(size)));
        }
        QMainWindow window;
        QCOMPARE(window.windowIcon().availableSizes(), sizes);
    }
};

QTEST_MAIN(ProgramIdentityTest)
#include "program_identity_test.moc"
