#include "platform_services.hpp"

#include <QAbstractButton>
#include <QTest>
#include <QTimer>

#include "box_messages.hpp"

// The one place where a real message box is shown: the core's message kinds as the user sees them.
class PlatformServicesTest : public QObject {
    Q_OBJECT

private slots:
    void showsMessageBoxesOfEachKind_data() {
        QTest::addColumn<vantor::MessageKind>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QMessageBox::Icon>("icon");
        QTest::newRow("error") << vantor::MessageKind::Error << "Error" << QMessageBox::Critical;
        QTest::newRow("warning") << vantor::MessageKind::Warning << "Warning" << QMessageBox::Warning;
        QTest::newRow("information") << vantor::MessageKind::Information << "Information"
                                     << QMessageBox::Information;
        QTest::newRow("plain") << vantor::MessageKind::Plain << "Vantor-2000" << QMessageBox::NoIcon;
    }
    void showsMessageBoxesOfEachKind() {
        QFETCH(vantor::MessageKind, kind);
        QFETCH(QString, caption);
        QFETCH(QMessageBox::Icon, icon);
        struct Seen {
            QString caption;
            QMessageBox::Icon icon = QMessageBox::NoIcon;
            QString text;
            QStringList buttons;
        } seen;
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return;
            }
            seen = {box->windowTitle(), box->icon(), box->text(), {}};
            for (QAbstractButton* button : box->buttons()) {
                seen.buttons << button->text().remove('&');
            }
            box->buttons().constFirst()->click();
        });

        BoxMessages(nullptr).show(kind, "File not found!");

        QCOMPARE(seen.caption, caption);
        QCOMPARE(seen.icon, icon);
        QCOMPARE(seen.text, QStringLiteral("File not found!"));
        QCOMPARE(seen.buttons, QStringList({"OK"}));
    }
};

QTEST_MAIN(PlatformServicesTest)
#include "platform_services_test.moc"
