#include "platform_services.hpp"

#include <functional>

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QFontDatabase>
#include <QInputDialog>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "box_messages.hpp"
#include "file_dialog.hpp"
#include "temp_folder.hpp"
#include "text_conversion.hpp"
#include "texts.hpp"
#include "track_fixture.hpp"
#include "vantor_kx7_info.hpp"
#include "vantor_main.hpp"
#include "vantor_set_kx72000_location.hpp"

namespace {

// The geometry of the box that opens while `open` runs, read while it waits and then closed.
QRect geometryOfBoxOpenedBy(const std::function<void()>& open) {
    QRect seen;
    QTimer::singleShot(0, [&seen] {
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr) {
            return;
        }
        seen = box->frameGeometry();
        if (auto* dialog = qobject_cast<QDialog*>(box)) {
            dialog->reject();
        }
    });
    open();
    return seen;
}

QPoint screenCentre() {
    return QGuiApplication::primaryScreen()->availableGeometry().center();
}

// Centres within a pixel of each other: sizes of odd and even widths round differently.
bool nearlySame(QPoint a, QPoint b) {
    return (a - b).manhattanLength() <= 2;
}

} // namespace

// The one place where a real message box is shown: the core's message kinds as the user sees them.
class PlatformServicesTest : public QObject {
    Q_OBJECT

private slots:
    // Qt's file dialog keeps its column widths and history in the user's configuration folder:
    // one of the test's own keeps runs apart and the user's alone.
    void initTestCase() {
        QVERIFY(configFolder_.isValid());
        qputenv("XDG_CONFIG_HOME", configFolder_.path().toLocal8Bit());
    }

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

    // A box whose window is not shown yet is centred on the screen, not on the hidden window's
    // corner; a shown window gets the box over its middle.
    void boxesAreCentredOnTheirWindowOrTheScreen_data() {
        QTest::addColumn<QString>("owner");
        QTest::newRow("no window") << "none";
        QTest::newRow("window not shown yet") << "hidden";
        QTest::newRow("window shown off centre") << "shown";
    }
    void boxesAreCentredOnTheirWindowOrTheScreen() {
        QFETCH(QString, owner);
        QWidget window;
        window.setGeometry(40, 60, 420, 260);
        if (owner == "shown") {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
        }
        QWidget* parent = owner == "none" ? nullptr : &window;
        const QRect box = geometryOfBoxOpenedBy(
            [parent] { BoxMessages(parent).show(vantor::MessageKind::Information, "The size is wrong."); });
        QVERIFY(box.isValid());
        QVERIFY2(
            nearlySame(box.center(), owner == "shown" ? window.frameGeometry().center() : screenCentre()),
            qPrintable(QStringLiteral("box at %1,%2").arg(box.x()).arg(box.y())));
    }

    // The first showing of the info dialog on a track without an info block: its box comes up
    // while the dialog itself is not yet placed.
    void infoDialogsFirstBoxIsCentred() {
        vantor::testing::TempFolder folder;
        const auto track = folder.write("plain.dat", vantor::testing::trackOf(400, 132, 132));
        TFEditKX7info dialog([&track] { return track; });
        // The box comes first; the dialog, shown after it, is closed once it is up.
        QRect box;
        QTimer::singleShot(0, [&box, &dialog] {
            auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (shown != nullptr) {
                box = shown->frameGeometry();
                shown->reject();
            }
            QTimer::singleShot(0, &dialog, &QDialog::reject);
        });
        dialog.exec();
        QVERIFY(box.isValid());
        QVERIFY(nearlySame(box.center(), screenCentre()));
    }

    // A stored executable of the wrong size: the box comes up while the main window is being
    // shown, with both the window and the box's own parent, the location dialog, still hidden.
    void startUpInformationBoxIsCentred() {
        vantor::testing::TempFolder program;
        const auto exe = program.write("KX7_2000.EXE", std::string("small"));
        const auto settings =
            program.write("vantor2000.ini", "[config]\r\nkx72000exe=" + exe.string() + "\r\n");
        TFKX72000Location location;
        FKX72000Location = &location;
        TFVantor window(ProgramPlace{program.path(), settings});
        QRect box;
        QString caption;
        QTimer::singleShot(0, [&box, &caption] {
            auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (shown != nullptr) {
                box = shown->frameGeometry();
                caption = shown->windowTitle();
                shown->reject();
            }
        });
        window.show();
        FKX72000Location = nullptr;
        QCOMPARE(caption, QStringLiteral("Information"));
        QVERIFY(nearlySame(box.center(), screenCentre()));
    }

    // The title bar shows the whole caption: the box is at least as wide as the caption's text
    // with room for an icon and a close button.
    void boxesAreWideEnoughForTheirCaption_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("input");
        QTest::newRow("application error") << qText(vantor::text::ApplicationErrorCaption) << false;
        QTest::newRow("information") << qText(vantor::text::InformationCaption) << false;
        QTest::newRow("track number input") << qText(vantor::text::StockTrackCaption) << true;
    }
    void boxesAreWideEnoughForTheirCaption() {
        QFETCH(QString, caption);
        QFETCH(bool, input);
        PlatformServices services;
        const QRect box = geometryOfBoxOpenedBy([&] {
            if (input) {
                services.inputText(nullptr, caption, qText(vantor::text::StockTrackPrompt),
                                   qText(vantor::text::StockTrackDefault));
            } else {
                services.showMessage(nullptr, caption, QMessageBox::Critical, QStringLiteral("x"));
            }
        });
        const QFontMetrics title(QFontDatabase::systemFont(QFontDatabase::TitleFont));
        QVERIFY2(box.width() >= title.horizontalAdvance(caption) + 64,
                 qPrintable(QString::number(box.width())));
    }

    void inputBoxGivesTheTextOrNothing() {
        PlatformServices services;
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (box != nullptr) {
                box->setTextValue(QStringLiteral("12"));
                box->accept();
            }
        });
        QCOMPARE(services.inputText(nullptr, QStringLiteral("c"), QStringLiteral("p"), QStringLiteral("1")),
                 std::optional<QString>(QStringLiteral("12")));
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        QCOMPARE(services.inputText(nullptr, QStringLiteral("c"), QStringLiteral("p"), QStringLiteral("1")),
                 std::optional<QString>());
    }

    // "All files (*.*)" takes a file without an extension; the track filter does not.
    void allFilesTakesFilesWithoutExtension() {
        vantor::testing::TempFolder folder;
        const QString readme = qPath(folder.write("README", std::string("x")));
        folder.write("track.dat", std::string("x"));
        bool readmeUnderTrackFilter = true;
        bool readmeUnderAllFiles = false;
        withOpenDialog(folder, [&](QFileDialog& dialog, QFileSystemModel& model) {
            const auto takes = [&model](const QString& path) {
                const QModelIndex file = model.index(path);
                return file.isValid() && model.flags(file).testFlag(Qt::ItemIsEnabled);
            };
            readmeUnderTrackFilter = takes(readme);
            auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QTest::keyClick(types, Qt::Key_Down);
            QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("All files (*.*)"));
            QTest::qWait(50);
            readmeUnderAllFiles = takes(readme);
        });
        QVERIFY(!readmeUnderTrackFilter);
        QVERIFY(readmeUnderAllFiles);
    }

    // Every column shows its caption and its contents unelided, and the list shows every column.
    void fileListColumnsAreReadable() {
        vantor::testing::TempFolder folder;
        folder.write("a track file with a long name.dat", std::string("x"));
        folder.write("README", std::string("x"));
        QStringList cut;
        int listWidth = 0;
        int viewWidth = 0;
        withOpenDialog(folder, [&](QFileDialog& dialog, QFileSystemModel&) {
            auto* view = dialog.findChild<QTreeView*>();
            const QAbstractItemView& items = *view;
            QHeaderView* header = view->header();
            for (int column = 0; column < header->count(); ++column) {
                const int wanted = std::max(header->sectionSizeHint(column), items.sizeHintForColumn(column));
                if (!header->isSectionHidden(column) && header->sectionSize(column) < wanted) {
                    cut << view->model()->headerData(column, Qt::Horizontal).toString();
                }
            }
            listWidth = header->length();
            viewWidth = view->viewport()->width();
        });
        QCOMPARE(cut, QStringList());
        QVERIFY(listWidth <= viewWidth);
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

private:
    QTemporaryDir configFolder_;

    // Opens the platform's file dialog on folder with the track filter, lets `look` at it once the
    // folder's contents are in, then cancels it.
    static void withOpenDialog(const vantor::testing::TempFolder& folder,
                               const std::function<void(QFileDialog&, QFileSystemModel&)>& look) {
        const QString path = qPath(folder.path());
        bool looked = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            auto* model = dialog->findChild<QFileSystemModel*>();
            if (QTest::qWaitFor([&] { return model->rowCount(model->index(path)) > 0; })) {
                QTest::qWait(50);
                look(*dialog, *model);
                looked = true;
            }
            dialog->reject();
        });
        PlatformServices().openFileName(nullptr, QStringLiteral("Open"), path, QString(),
                                        qtFileFilter(qText(vantor::text::TrackFileFilter)));
        QVERIFY(looked);
    }
};

QTEST_MAIN(PlatformServicesTest)
#include "platform_services_test.moc"
