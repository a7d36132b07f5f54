#include "vantor_main.hpp"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QWindow>

#include "caption_fit.hpp"
#include "fake_desktop_services.hpp"
#include "filename_edit.hpp"
#include "io_error.hpp"
#include "command_line.hpp"
#include "magic_document.hpp"
#include "magic_file.hpp"
#include "recording_messages.hpp"
#include "temp_folder.hpp"
#include "text_conversion.hpp"
#include "texts.hpp"
#include "track_file.hpp"
#include "track_fixture.hpp"
#include "unwritable_file.hpp"
#include "vantor_about.hpp"
#include "vantor_kx7_info.hpp"
#include "vantor_magic_editor.hpp"

using namespace vantor::testing;
namespace app = vantor::app;
namespace fs = std::filesystem;

namespace {

// A track without custom magic data, and magic data files of two bump entries.
std::vector<std::uint8_t> plainTrack() {
    return trackWithArea(filler(8, 50));
}
std::string magicText(std::int32_t seed) {
    return vantor::formatMagicFile(blockWithEntries(2, seed), vantor::Descriptions{});
}

std::string textOf(const fs::path& file) {
    const auto bytes = readBytes(file);
    return {bytes.begin(), bytes.end()};
}

// The widgets' names, with the message texts as the user reads them.
QString shown(std::string_view text) {
    return qText(text);
}
QString shownFailure(int code) {
    return QString::fromStdString(vantor::IoError::textOf(code)) + '.';
}

// Drags the files from the desktop shell and drops them on the window, over the given control,
// through the window system's own path: the control under the pointer or its nearest parent that
// takes drops gets them.
bool dropFiles(QWidget& window, QWidget& over, const QStringList& names) {
    QList<QUrl> urls;
    for (const QString& name : names) {
        urls << QUrl::fromLocalFile(name);
    }
    QMimeData data;
    data.setUrls(urls);
    // Desktop shells offer the names as plain text too, which an edit would take for itself.
    data.setText(names.join('\n'));
    const QPointF at = over.mapTo(&window, over.rect().center());
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(window.windowHandle(), &enter);
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.windowHandle(), &drop);
    return enter.isAccepted() && drop.isAccepted() && drop.dropAction() == Qt::CopyAction;
}

// The menu as captions: "Menu[item,-,item]" for a submenu, the caption alone for a bar command.
QStringList menuTree(const QMenuBar& bar) {
    QStringList tree;
    for (const QAction* action : bar.actions()) {
        if (action->menu() == nullptr) {
            tree << action->text();
            continue;
        }
        QStringList items;
        for (const QAction* item : action->menu()->actions()) {
            items << (item->isSeparator() ? QStringLiteral("-") : item->text());
        }
        tree << action->text() + '[' + items.join(',') + ']';
    }
    return tree;
}

} // namespace

class VantorMainTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        program_.emplace();
        files_.emplace();
        services_ = std::make_unique<FakeDesktopServices>();
        settingsFile_ = program_->path() / "vantor2000.ini";
        savedCurrent_ = QDir::currentPath();
    }
    void cleanup() {
        window_.reset();
        services_.reset();
        QDir::setCurrent(savedCurrent_);
        files_.reset();
        program_.reset();
    }

    void startsAsDesigned() {
        openWindow();
        QCOMPARE(window_->windowTitle(), QStringLiteral("Vantor - 2000"));
        QCOMPARE(menuTree(*window_->MainMenu1),
                 QStringList({"File[Exit]",
                              "Edit[Create magic file from KX7_2000.EXE,Get magic data from track file,-,"
                              "Set KX7_2000.EXE location,-,Edit magic data...]",
                              "About"}));
        for (const QAction* action : window_->findChildren<QAction*>()) {
            QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->text()));
        }
        QCOMPARE(window_->LTrackFile->text(), QStringLiteral("KX7 track file : "));
        QCOMPARE(window_->LMagicFile->text(), QStringLiteral("Magic data file : "));
        QCOMPARE(window_->CBBackup->text(), QStringLiteral("Backup original trackfile?"));
        QVERIFY(!window_->CBBackup->isChecked());
        QVERIFY(!window_->BInsert->isEnabled());
        QVERIFY(!window_->BEditKX7info->isEnabled());
        QVERIFY(!window_->Savemagicdatafromtrackfile1->isEnabled());
        QVERIFY(!window_->Editmagicdata1->isEnabled());
        QVERIFY(window_->CreateMagicFilefromKX72000EXE1->isEnabled());
        QVERIFY(window_->StatusBar->currentMessage().isEmpty());
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        QVERIFY(!window_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QCOMPARE(QApplication::focusWidget(), window_->FETrackFile->edit());
        // Tab order among the focusable controls.
        QList<QWidget*> chain;
        QWidget* widget = window_->FETrackFile->edit();
        do {
            if (widget->focusPolicy() & Qt::TabFocus) {
                chain << widget;
            }
            widget = widget->nextInFocusChain();
        } while (widget != window_->FETrackFile->edit());
        QCOMPARE(chain, QList<QWidget*>({window_->FETrackFile->edit(), window_->FEMagicFile->edit(),
                                         window_->BInsert, window_->CBBackup, window_->BEditKX7info}));
    }

    void captionsFit_data() { addFontSizeRows(); }
    void captionsFit() {
        QFETCH(int, pointSize);
        const ApplicationFontScope font(pointSize);
        openWindow();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        QWidget* client = window_->centralWidget();
        for (QWidget* control : client->findChildren<QWidget*>()) {
            const QRect inClient(control->mapTo(client, QPoint(0, 0)), control->size());
            QVERIFY(client->rect().contains(inClient));
        }
        const QStringList clipped = clippedCaptions(*client);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
    }

    void enablesCommandsWhileANameIsTyped() {
        const auto track = files_->write("t.dat", plainTrack());
        const auto magic = files_->write("m.md2", magicText(1));
        openWindow();
        const QString name = qPath(track);
        for (qsizetype typed = 1; typed <= name.size(); ++typed) {
            QTest::keyClick(window_->FETrackFile->edit(), name[typed - 1].toLatin1());
            const bool complete = typed == name.size();
            QCOMPARE(window_->BEditKX7info->isEnabled(), complete);
            QCOMPARE(window_->Savemagicdatafromtrackfile1->isEnabled(), complete);
            QVERIFY(!window_->BInsert->isEnabled());
        }
        QCOMPARE(app::LastDir, files_->path().string() + '/');

        window_->FEMagicFile->setFileName(qPath(magic));
        QVERIFY(window_->BInsert->isEnabled());

        QTest::keyClick(window_->FETrackFile->edit(), 'x');
        QVERIFY(!window_->BInsert->isEnabled());
        QVERIFY(!window_->BEditKX7info->isEnabled());
        QVERIFY(!window_->Savemagicdatafromtrackfile1->isEnabled());
        QVERIFY(!app::TrackFileOK);
        QVERIFY(app::MagicFileOK);
    }

    // "Edit magic data..." needs either picker to name an existing file, whichever way it was named.
    void editMagicDataFollowsEitherPicker_data() {
        QTest::addColumn<bool>("trackExists");
        QTest::addColumn<bool>("magicExists");
        QTest::newRow("neither") << false << false;
        QTest::newRow("track only") << true << false;
        QTest::newRow("magic data file only") << false << true;
        QTest::newRow("both") << true << true;
    }
    void editMagicDataFollowsEitherPicker() {
        QFETCH(bool, trackExists);
        QFETCH(bool, magicExists);
        const auto track = trackExists ? files_->write("t.dat", plainTrack()) : *files_ / "t.dat";
        const auto magic = magicExists ? files_->write("m.md2", magicText(1)) : *files_ / "m.md2";
        openWindow();
        const bool enabled = trackExists || magicExists;

        window_->FETrackFile->setFileName(qPath(track));
        window_->FEMagicFile->setFileName(qPath(magic));
        QCOMPARE(window_->Editmagicdata1->isEnabled(), enabled);

        // The browse dialogs' after-dialog handlers re-test too.
        fs::remove(track);
        fs::remove(magic);
        QTest::mouseClick(window_->FETrackFile->browseButton(), Qt::LeftButton);
        QCOMPARE(window_->Editmagicdata1->isEnabled(), magicExists);
        QTest::mouseClick(window_->FEMagicFile->browseButton(), Qt::LeftButton);
        QVERIFY(!window_->Editmagicdata1->isEnabled());

        // Typing names the files again, one picker at a time.
        if (trackExists) {
            files_->write("t.dat", plainTrack());
            QTest::keyClick(window_->FETrackFile->edit(), 'x');
            QTest::keyClick(window_->FETrackFile->edit(), Qt::Key_Backspace);
            QVERIFY(window_->Editmagicdata1->isEnabled());
        }
        QTest::keyClick(window_->FETrackFile->edit(), Qt::Key_F12);
        QVERIFY(!window_->Editmagicdata1->isEnabled());
    }

    // The editor opens on the track when it holds custom data, else on the magic data file when
    // one is named; else the track's lack of custom data is told.
    void editMagicDataOpensTheTrackElseTheMagicDataFile_data() {
        QTest::addColumn<bool>("trackHasData");
        QTest::addColumn<bool>("magicNamed");
        QTest::addColumn<QString>("title");
        QTest::newRow("track with custom data") << true << true << "Magic data - t.dat";
        QTest::newRow("track without, magic data file") << false << true << "Magic data - m.md2";
        QTest::newRow("track without, nothing else") << false << false << QString();
    }
    void editMagicDataOpensTheTrackElseTheMagicDataFile() {
        QFETCH(bool, trackHasData);
        QFETCH(bool, magicNamed);
        QFETCH(QString, title);
        const auto track = files_->write("t.dat", plainTrack());
        const auto magic = files_->write("m.md2", magicText(4));
        if (trackHasData) {
            RecordingMessages quiet;
            vantor::InsertMagicFile(magic, track, vantor::BackupChoice::None, quiet);
        }
        openWindow();
        window_->FETrackFile->setFileName(qPath(track));
        window_->FEMagicFile->setFileName(magicNamed ? qPath(magic) : QString());

        window_->Editmagicdata1->trigger();

        auto* editor = window_->findChild<TFMagicEditor*>();
        if (title.isNull()) {
            QVERIFY(editor == nullptr);
            QCOMPARE(services_->messages.size(), 1u);
            QCOMPARE(services_->messages[0].caption, QStringLiteral("Error"));
            QCOMPARE(services_->messages[0].text, shown(vantor::text::NoCustomMagicData));
            return;
        }
        QVERIFY(editor != nullptr);
        QVERIFY(services_->messages.empty());
        QCOMPARE(editor->windowTitle(), title);
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->windowModality(), Qt::ApplicationModal);
        QCOMPARE(editor->document().block().bytes(), blockWithEntries(2, 4).bytes());
    }

    // Started with one existing track or magic data file, the window opens the editor on it; a
    // track without custom data is told as from the menu, and the main window stays.
    void oneArgumentOpensTheEditor_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("editedFile");
        QTest::newRow("magic data file") << QStringList{"m.md2"} << "m.md2";
        QTest::newRow("old extension, any case") << QStringList{"o.MD"} << "o.MD";
        QTest::newRow("track") << QStringList{"t.DAT"} << "t.DAT";
        QTest::newRow("missing file") << QStringList{"gone.md2"} << QString();
        QTest::newRow("other extension") << QStringList{"notes.txt"} << QString();
        QTest::newRow("folder named like a track") << QStringList{"x.dat"} << QString();
        QTest::newRow("two arguments") << QStringList{"m.md2", "t.DAT"} << QString();
        QTest::newRow("none") << QStringList{} << QString();
    }
    void oneArgumentOpensTheEditor() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, editedFile);
        files_->write("m.md2", magicText(1));
        files_->write("o.MD", magicText(2));
        files_->write("t.DAT", plainTrack());
        files_->write("notes.txt", magicText(1));
        fs::create_directory(*files_ / "x.dat");
        std::vector<std::string> given;
        for (const QString& argument : arguments) {
            given.push_back((*files_ / argument.toStdString()).string());
        }
        const auto chosen = app::fileToEditAtStart(given);
        QCOMPARE(chosen.has_value(), !editedFile.isNull());
        if (!chosen) {
            return;
        }
        QCOMPARE(*chosen, (*files_ / editedFile.toStdString()).string());

        openWindow();
        window_->openMagicEditor(*chosen);
        auto* editor = window_->findChild<TFMagicEditor*>();
        if (editedFile.endsWith("DAT")) {
            QVERIFY(editor == nullptr);
            QCOMPARE(services_->messages.size(), 1u);
            QCOMPARE(services_->messages[0].text, shown(vantor::text::NoCustomMagicData));
        } else {
            QVERIFY(editor != nullptr);
            QCOMPARE(editor->windowTitle(), "Magic data - " + editedFile);
        }
    }

    void browseRetestsTheName() {
        const auto track = files_->write("t.dat", plainTrack());
        const auto magic = files_->write("m.md2", magicText(1));
        fs::create_directory(files_->path() / "other");
        const auto other = files_->write("other/o.dat", plainTrack());
        openWindow();
        window_->FETrackFile->setFileName(qPath(track));
        window_->FEMagicFile->setFileName(qPath(magic));
        QVERIFY(window_->BInsert->isEnabled());

        // Cancelled: the name is tested again, only by the after-dialog handler.
        fs::remove(track);
        QTest::mouseClick(window_->FETrackFile->browseButton(), Qt::LeftButton);
        QCOMPARE(window_->FETrackFile->text(), qPath(track));
        QVERIFY(!window_->BInsert->isEnabled());
        QVERIFY(window_->BEditKX7info->isEnabled());

        services_->openAnswers.push_back(qPath(other));
        QTest::mouseClick(window_->FETrackFile->browseButton(), Qt::LeftButton);
        QCOMPARE(window_->FETrackFile->text(), qPath(other));
        QVERIFY(window_->BInsert->isEnabled());
        QCOMPARE(app::LastDir, (files_->path() / "other/").string());
    }

    void dropTakesTheFirstTrackAndTheFirstMagicFile() {
        fs::create_directory(files_->path() / "my tracks");
        const auto track = files_->write("my tracks/a b.DaT", plainTrack());
        for (const char* name : {"second.dat", "old.md", "m1.md2", "m2.md2", "notes.txt"}) {
            files_->write(name, std::string("x"));
        }
        openWindow();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        const auto file = [this](const char* name) { return qPath(*files_ / name); };

        QVERIFY(dropFiles(*window_, *window_->FEMagicFile->edit(),
                          {file("notes.txt"), file("old.md"), qPath(track), file("m1.md2"),
                           file("second.dat"), file("m2.md2")}));

        QCOMPARE(window_->FETrackFile->text(), '"' + qPath(track) + '"');
        QCOMPARE(window_->FEMagicFile->text(), file("m1.md2"));
        QVERIFY(window_->BInsert->isEnabled());
        QVERIFY(window_->BEditKX7info->isEnabled());
        QVERIFY(services_->messages.empty());
    }

    void dropWithoutTrackOrMagicFileChangesNothing_data() {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("text files") << QStringList({"a.txt", "b.TXT"});
        QTest::newRow("old magic file extension") << QStringList({"old.md"});
        QTest::newRow("extension-like folder") << QStringList({"x.dat/readme"});
    }
    void dropWithoutTrackOrMagicFileChangesNothing() {
        QFETCH(QStringList, names);
        openWindow();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        window_->FETrackFile->setFileName("/before.dat");
        window_->FEMagicFile->setFileName("/before.md2");
        QStringList full;
        for (const QString& name : names) {
            full << qPath(files_->path()) + '/' + name;
        }
        QVERIFY(dropFiles(*window_, *window_->CBBackup, full));
        QCOMPARE(window_->FETrackFile->text(), QStringLiteral("/before.dat"));
        QCOMPARE(window_->FEMagicFile->text(), QStringLiteral("/before.md2"));
    }

    void refusedDroppedNameIsAnError() {
        openWindow();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        window_->FETrackFile->setFileName("/before.dat");
        QVERIFY(dropFiles(*window_, *window_->FETrackFile->edit(), {"/t/[a].dat"}));
        QCOMPARE(window_->FETrackFile->text(), QStringLiteral("/before.dat"));
        QCOMPARE(services_->messages.size(), 1u);
        QCOMPARE(services_->messages[0].caption, QStringLiteral("Vantor-2000"));
        QCOMPARE(services_->messages[0].text, QStringLiteral("Invalid file name - /t/[a].dat."));
    }

    void f12ClearsBothPickers_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("clears");
        QTest::newRow("F12") << int(Qt::Key_F12) << Qt::KeyboardModifiers() << true;
        QTest::newRow("Shift+F12") << int(Qt::Key_F12) << Qt::KeyboardModifiers(Qt::ShiftModifier) << true;
        QTest::newRow("Ctrl+F12") << int(Qt::Key_F12) << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
        QTest::newRow("Alt+F12") << int(Qt::Key_F12) << Qt::KeyboardModifiers(Qt::AltModifier) << true;
        QTest::newRow("Ctrl+Alt+Shift+F12")
            << int(Qt::Key_F12) << (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier) << true;
        QTest::newRow("F11") << int(Qt::Key_F11) << Qt::KeyboardModifiers() << false;
    }
    void f12ClearsBothPickers() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, clears);
        const auto track = files_->write("t.dat", plainTrack());
        const auto magic = files_->write("m.md2", magicText(1));
        openWindow();
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        window_->FETrackFile->setFileName(qPath(track));
        window_->FEMagicFile->setFileName(qPath(magic));
        window_->CreateMagicFilefromKX72000EXE1->setEnabled(false);
        window_->BInsert->setFocus();
        const std::string lastDir = app::LastDir;

        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);

        QCOMPARE(window_->FETrackFile->text().isEmpty(), clears);
        QCOMPARE(window_->FEMagicFile->text().isEmpty(), clears);
        QCOMPARE(window_->BInsert->isEnabled(), !clears);
        QCOMPARE(window_->BEditKX7info->isEnabled(), !clears);
        QCOMPARE(window_->Savemagicdatafromtrackfile1->isEnabled(), !clears);
        QCOMPARE(app::TrackFileOK, !clears);
        QCOMPARE(app::MagicFileOK, !clears);
        QVERIFY(!window_->CreateMagicFilefromKX72000EXE1->isEnabled());
        QCOMPARE(app::LastDir, lastDir);
    }

    void insertsAndShowsDone_data() {
        QTest::addColumn<bool>("backup");
        QTest::newRow("without backup") << false;
        QTest::newRow("with backup") << true;
    }
    void insertsAndShowsDone() {
        QFETCH(bool, backup);
        const auto original = plainTrack();
        const auto track = files_->write("t.dat", original);
        const auto magic = files_->write("m.md2", magicText(42));
        openWindow();
        window_->FETrackFile->setFileName(qPath(track));
        window_->FEMagicFile->setFileName(qPath(magic));
        window_->CBBackup->setChecked(backup);

        QTest::mouseClick(window_->BInsert, Qt::LeftButton);

        QVERIFY(services_->messages.empty());
        QCOMPARE(window_->StatusBar->currentMessage(), QStringLiteral("Done."));
        QVERIFY(QApplication::overrideCursor() == nullptr);
        const auto inserted = readBytes(track);
        QCOMPARE(inserted.size(), original.size() + vantor::EmptyMarkedBlockSize + 2 * vantor::BumpEntrySize);
        QCOMPARE(fs::exists(*files_ / "t.bak"), backup);
        if (backup) {
            QVERIFY(readBytes(*files_ / "t.bak") == original);
        }
        // Menu items hovered later do not clear the text.
        QStatusTipEvent tip(QString{});
        QCoreApplication::sendEvent(window_.get(), &tip);
        QCOMPARE(window_->StatusBar->currentMessage(), QStringLiteral("Done."));
    }

    void insertionReportsProblems_data() {
        QTest::addColumn<bool>("magicExists");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("underWaitCursor");
        QTest::addColumn<QString>("status");
        QTest::newRow("magic data file gone")
            << false << shown(vantor::text::FileNotFound) << false << QString();
        QTest::newRow("not a magic data file")
            << true << shown(vantor::text::NotAMagicFile) << true << QStringLiteral("Done.");
    }
    void insertionReportsProblems() {
        QFETCH(bool, magicExists);
        QFETCH(QString, message);
        QFETCH(bool, underWaitCursor);
        QFETCH(QString, status);
        const auto original = plainTrack();
        const auto track = files_->write("t.dat", original);
        const auto magic = files_->write("m.md2", std::string("[not a magic file]\r\n"));
        openWindow();
        window_->FETrackFile->setFileName(qPath(track));
        window_->FEMagicFile->setFileName(qPath(magic));
        if (!magicExists) {
            fs::remove(magic);
        }

        QTest::mouseClick(window_->BInsert, Qt::LeftButton);

        QCOMPARE(services_->messages.size(), 1u);
        QCOMPARE(services_->messages[0].caption, QStringLiteral("Error"));
        QCOMPARE(services_->messages[0].icon, QMessageBox::Critical);
        QCOMPARE(services_->messages[0].text, message);
        QCOMPARE(services_->messages[0].underWaitCursor, underWaitCursor);
        QCOMPARE(window_->StatusBar->currentMessage(), status);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(readBytes(track) == original);
    }

    void ioFailureIsShownAndTheWindowGoesOn() {
        const auto original = plainTrack();
        const auto track = files_->write("t.dat", original);
        const auto magic = files_->write("m.md2", magicText(42));
        openWindow();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        window_->FETrackFile->setFileName(qPath(track));
        window_->FEMagicFile->setFileName(qPath(magic));
        {
            UnwritableFile locked(track);
            QTest::mouseClick(window_->BInsert, Qt::LeftButton);
        }
        QCOMPARE(services_->messages.size(), 1u);
        QCOMPARE(services_->messages[0].caption, QStringLiteral("Vantor-2000"));
        QCOMPARE(services_->messages[0].icon, QMessageBox::Critical);
        QCOMPARE(services_->messages[0].text, shownFailure(vantor::IoError::FileAccessDenied));
        // The hourglass is gone before the failure is shown.
        QVERIFY(!services_->messages[0].underWaitCursor);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(window_->StatusBar->currentMessage().isEmpty());
        QVERIFY(readBytes(track) == original);

        QVERIFY(window_->isVisible());
        QTest::mouseClick(window_->BInsert, Qt::LeftButton);
        QCOMPARE(window_->StatusBar->currentMessage(), QStringLiteral("Done."));
        QVERIFY(readBytes(track) != original);
    }

    void extractsWithTheDescriptions() {
        program_->write("vantor2000.ini", std::string("[descriptions]\r\ndesc1=first value\r\n"));
        const auto track = files_->write("t.dat", trackWithArea(blockWithEntries(2, 42).markedForm()));
        fs::create_directory(files_->path() / "out");
        const auto target = *files_ / "out" / "x.md2";
        services_->saveAnswers.push_back(qPath(target));
        openWindow();
        window_->FETrackFile->setFileName(qPath(track));

        window_->Savemagicdatafromtrackfile1->trigger();

        QVERIFY(services_->messages.empty());
        QCOMPARE(services_->saves.size(), 1u);
        QCOMPARE(services_->saves[0].title, QStringLiteral("Save magic data"));
        QCOMPARE(services_->saves[0].filter, QStringLiteral("KX7-2000 magic files (*.md2);;All files (*.*)"));
        QCOMPARE(services_->saves[0].defaultSuffix, QStringLiteral("md2"));
        QCOMPARE(QDir::currentPath(), QDir(qPath(*files_ / "out")).canonicalPath());
        vantor::Descriptions descriptions;
        descriptions[0] = "first value";
        auto compiled = vantor::compileMagicText(bytesOf(magicText(42)));
        compiled.markedBlock.erase(compiled.markedBlock.begin(), compiled.markedBlock.begin() + 4);
        QCOMPARE(textOf(target),
                 vantor::formatMagicFile(vantor::MagicBlock(compiled.markedBlock), descriptions));
    }

    void extractionRefusals_data() {
        QTest::addColumn<QString>("trackKind");
        QTest::addColumn<bool>("saveConfirmed");
        QTest::addColumn<int>("saveDialogs");
        QTest::addColumn<QString>("message");
        QTest::newRow("no custom data") << "plain" << true << 0 << shown(vantor::text::NoCustomMagicData);
        QTest::newRow("save cancelled") << "custom" << false << 1 << QString();
        QTest::newRow("track file gone") << "gone" << true << 0 << QString();
        QTest::newRow("no end mark") << "cut" << true << 1 << shownFailure(vantor::IoError::ReadBeyondEnd);
    }
    void extractionRefusals() {
        QFETCH(QString, trackKind);
        QFETCH(bool, saveConfirmed);
        QFETCH(int, saveDialogs);
        QFETCH(QString, message);
        auto contents =
            trackKind == "plain" ? plainTrack() : trackWithArea(blockWithEntries(2, 42).markedForm());
        if (trackKind == "cut") {
            // The marker and the value area, then nothing: the end mark is never found.
            constexpr std::size_t AreaOffset = 132; // where trackWithArea puts the area
            contents.resize(AreaOffset + vantor::MagicMarker.size() + vantor::ValueAreaSize + 1);
        }
        const auto track = files_->write("t.dat", contents);
        const auto target = *files_ / "x.md2";
        if (saveConfirmed) {
            services_->saveAnswers.push_back(qPath(target));
        }
        openWindow();
        window_->FETrackFile->setFileName(qPath(track));
        if (trackKind == "gone") {
            fs::remove(track);
        }

        window_->Savemagicdatafromtrackfile1->trigger();

        QCOMPARE(int(services_->saves.size()), saveDialogs);
        QCOMPARE(services_->messages.size(), message.isEmpty() ? 0u : 1u);
        if (!message.isEmpty()) {
            QCOMPARE(services_->messages[0].text, message);
            QCOMPARE(services_->messages[0].icon, QMessageBox::Critical);
        }
        QVERIFY(!fs::exists(target));
    }

    void extractionOverTheTrackIsRefused_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("link");
        QTest::newRow("the track itself") << "t.dat" << QString();
        QTest::newRow("a link to the track") << "link.md2"
                                             << "symbolic";
        QTest::newRow("a hard link to the track") << "hard.md2"
                                                  << "hard";
    }
    void extractionOverTheTrackIsRefused() {
        QFETCH(QString, output);
        QFETCH(QString, link);
        const auto contents = trackWithArea(blockWithEntries(2, 42).markedForm());
        const auto track = files_->write("t.dat", contents);
        const auto target = *files_ / output.toStdString();
        if (link == "symbolic") {
            fs::create_symlink(track, target);
        } else if (link == "hard") {
            fs::create_hard_link(track, target);
        }
        services_->saveAnswers.push_back(qPath(target));
        openWindow();
        window_->FETrackFile->setFileName(qPath(track));

        window_->Savemagicdatafromtrackfile1->trigger();

        QCOMPARE(services_->messages.size(), 1u);
        QCOMPARE(services_->messages[0].text,
                 shown(vantor::text::outputIsAnInput(target.string(), track.string())));
        QCOMPARE(services_->messages[0].icon, QMessageBox::Critical);
        QVERIFY(readBytes(track) == contents);
    }

    void settingsRoundTrip() {
        fs::create_directory(files_->path() / "Mixed Case");
        fs::create_directory(files_->path() / "other");
        const auto track = files_->write("other/t.dat", plainTrack());
        const std::string mixed = (files_->path() / "Mixed Case/").string();
        program_->write("vantor2000.ini",
                        "; my notes\r\n[config]\r\nkx72000exe=/games/KX7_2000.EXE\r\nlastdir=" + mixed +
                            "\r\n[other]\r\nkey=value\r\n[descriptions]\r\ndesc1=first\r\n");
        openWindow();
        QCOMPARE(app::ProgramDir, program_->path().string() + '/');
        QCOMPARE(app::GameExePath, std::string("/games/KX7_2000.EXE"));
        QCOMPARE(app::Descriptions[0], std::string("first"));
        QCOMPARE(app::LastDir, mixed);
        QCOMPARE(window_->FETrackFile->initialDir(), qFileName(mixed));
        QCOMPARE(window_->FEMagicFile->initialDir(), qFileName(mixed));

        window_->show();
        window_->FETrackFile->setFileName(qPath(track));
        window_->Exit1->trigger();

        QVERIFY(!window_->isVisible());
        QCOMPARE(textOf(settingsFile_),
                 "; my notes\r\n[config]\r\nkx72000exe=/games/KX7_2000.EXE\r\nlastdir=" +
                     (files_->path() / "other/").string() +
                     "\r\n[other]\r\nkey=value\r\n[descriptions]\r\ndesc1=first\r\n");
    }

    // Nothing changed in the run: the file is not written, so its own spelling of the keys stays.
    void aRunThatChangesNothingLeavesTheSettingsAlone() {
        const std::string text =
            "[Config]\r\nKX72000EXE = /games/KX7_2000.EXE\r\nLastDir = " + files_->path().string() + "/\r\n";
        program_->write("vantor2000.ini", text);
        openWindow();
        window_->show();
        window_->close();
        QVERIFY(!window_->isVisible());
        QCOMPARE(textOf(settingsFile_), text);
    }

    void firstRunStartsInTheProgramFolder() {
        openWindow();
        const QString programDir = qPath(program_->path()) + '/';
        QCOMPARE(window_->FETrackFile->initialDir(), programDir);
        QCOMPARE(window_->FEMagicFile->initialDir(), programDir);
        window_->show();
        window_->close();
        QCOMPARE(textOf(settingsFile_),
                 "[config]\r\nkx72000exe=\r\nlastdir=" + program_->path().string() + "/\r\n");
    }

    void unwritableSettingsAreReportedAndTheWindowCloses() {
        files_->write("blocker", std::string("a file where a folder should be"));
        settingsFile_ = *files_ / "blocker" / "vantor2000.ini";
        openWindow();
        window_->show();
        window_->close();
        QVERIFY(!window_->isVisible());
        QCOMPARE(services_->messages.size(), 1u);
        QCOMPARE(services_->messages[0].caption, QStringLiteral("Vantor-2000"));
        QCOMPARE(services_->messages[0].icon, QMessageBox::Critical);
        QCOMPARE(services_->messages[0].text, "Unable to write to " + qPath(settingsFile_) + '.');
    }

    void aboutShowsTheAboutBox() {
        openWindow();
        TFAbout about;
        FAbout = &about;
        QWidget* shownBox = nullptr;
        QTimer::singleShot(0, [&shownBox] {
            shownBox = QApplication::activeModalWidget();
            if (shownBox != nullptr) {
                QTest::keyClick(shownBox, Qt::Key_Return);
            }
        });
        window_->About1->trigger();
        FAbout = nullptr;
        QCOMPARE(shownBox, &about);
        QVERIFY(!about.isVisible());
    }

    // The button opens the one info dialog on the track named in the window.
    void editInfoButtonOpensTheInfoDialog() {
        const auto track = files_->write("t.dat", trackWithInfoBlock("#KX7INFO|Name|Alpha|Laps|4|#"));
        openWindow();
        window_->FETrackFile->setFileName(qPath(track));
        TFEditKX7info dialog([this] { return toPath(window_->FETrackFile->fileName()); });
        FEditKX7info = &dialog;
        QWidget* shownBox = nullptr;
        QTimer::singleShot(0, [&shownBox, &dialog] {
            shownBox = QApplication::activeModalWidget();
            dialog.reject();
        });
        QTest::mouseClick(window_->BEditKX7info, Qt::LeftButton);
        FEditKX7info = nullptr;
        QCOMPARE(shownBox, &dialog);
        QCOMPARE(dialog.ELaps->text(), QStringLiteral("4"));
        QVERIFY(services_->messages.empty());
    }

private:
    void openWindow() { window_ = std::make_unique<TFVantor>(ProgramPlace{program_->path(), settingsFile_}); }

    std::optional<TempFolder> program_;
    std::optional<TempFolder> files_;
    std::unique_ptr<FakeDesktopServices> services_;
    std::unique_ptr<TFVantor> window_;
    fs::path settingsFile_;
    QString savedCurrent_;
};

QTEST_MAIN(VantorMainTest)
#include "vantor_main_test.moc"
