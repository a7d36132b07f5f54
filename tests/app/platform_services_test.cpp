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

    // The question box offers the buttons asked for and answers with the one pressed; closing it
    // otherwise (Escape) counts as Cancel.
    void questionBoxAnswersTheButtonPressed_data() {
        QTest::addColumn<QMessageBox::StandardButton>("press");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("save") << QMessageBox::Save << QMessageBox::Save;
        QTest::newRow("discard") << QMessageBox::Discard << QMessageBox::Discard;
        QTest::newRow("escape") << QMessageBox::NoButton << QMessageBox::Cancel;
    }
    void questionBoxAnswersTheButtonPressed() {
        QFETCH(QMessageBox::StandardButton, press);
        QFETCH(QMessageBox::StandardButton, answer);
        const auto buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
        QString caption;
        QMessageBox::StandardButtons offered;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return;
            }
            caption = box->windowTitle();
            offered = box->standardButtons();
            if (press == QMessageBox::NoButton) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                box->button(press)->click();
            }
        });

        const auto chosen = PlatformServices().askQuestion(nullptr, "Magic data", "Save?", buttons);

        QCOMPARE(caption, QStringLiteral("Magic data"));
        QCOMPARE(offered, buttons);
        QCOMPARE(chosen, answer);
    }
};

QTEST_MAIN(PlatformServicesTest)
#include "platform_services_test.moc"
