#include "vantor_magic_editor.hpp"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

#include "bump_chart.hpp"
#include "bump_table_model.hpp"
#include "caption_fit.hpp"
#include "fake_desktop_services.hpp"
#include "file_system.hpp"
#include "game_executable.hpp"
#include "magic_document.hpp"
#include "magic_file.hpp"
#include "magic_file_edit.hpp"
#include "magic_text_fixture.hpp"
#include "magic_values_model.hpp"
#include "recording_messages.hpp"
#include "run_process.hpp"
#include "stock_executable.hpp"
#include "temp_folder.hpp"
#include "text_conversion.hpp"
#include "texts.hpp"
#include "track_block_edit.hpp"
#include "track_file.hpp"
#include "track_fixture.hpp"

using namespace vantor::testing;
namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> plainTrack() {
    return trackWithArea(filler(8, 50));
}

// A track whose custom block is blockWithEntries(3, seed).
std::vector<std::uint8_t> trackWithBlock(std::int32_t seed) {
    const auto plain = plainTrack();
    const vantor::MagicBlock block = blockWithEntries(3, seed);
    const auto marked = block.markedForm();
    const auto plan = vantor::planSplice(plain, marked.size());
    return vantor::spliced(plain, marked, *plan.splice);
}

vantor::SourceName fileSource(const fs::path& file) {
    return {vantor::isMagicFileName(file) ? vantor::SourceKind::MagicFile : vantor::SourceKind::TrackFile,
            file, 0, file.string()};
}

// Types into the value cell of a value through the keyboard, as a user does, and presses Enter.
void typeValue(TFMagicEditor& editor, int number, const QString& typed) {
    auto* filter = editor.valuesView->model();
    QModelIndex cell;
    for (int row = 0; row < filter->rowCount(); ++row) {
        if (filter->index(row, MagicValuesModel::Number).data().toInt() == number) {
            cell = filter->index(row, MagicValuesModel::Value);
        }
    }
    editor.valuesView->setFocus();
    editor.valuesView->setCurrentIndex(cell);
    QTest::keyClick(editor.valuesView, Qt::Key_F2);
    QWidget* line = QApplication::focusWidget();
    QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(line, typed);
    QTest::keyClick(line, Qt::Key_Return);
    // The view takes what Enter leaves in the cell once the event loop runs.
    QCoreApplication::processEvents();
}

} // namespace

class VantorMagicEditorTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        files_.emplace();
        services_ = std::make_unique<FakeDesktopServices>();
        backup_ = vantor::BackupChoice::None;
    }
    void cleanup() {
        delete editor_;
        services_.reset();
        files_.reset();
    }

    // A value typed and saved: the track is rewritten as an insertion of the edited block would
    // rewrite it (checksum renewed, everything else as it was) and reads back as the editor shows.
    void editsAndSavesATrack_data() {
        QTest::addColumn<bool>("backup");
        QTest::newRow("without backup") << false;
        QTest::newRow("with backup") << true;
    }
    void editsAndSavesATrack() {
        QFETCH(bool, backup);
        const auto original = trackWithBlock(5);
        const auto track = files_->write("t.dat", original);
        backup_ = backup ? vantor::BackupChoice::CopyToBak : vantor::BackupChoice::None;
        open(track);
        QCOMPARE(editor_->windowTitle(), QStringLiteral("Magic data - t.dat"));

        typeValue(*editor_, 7, "-42");
        typeValue(*editor_, 40, "$FFFF");
        QCOMPARE(editor_->windowTitle(), QStringLiteral("Magic data - t.dat *"));
        QCOMPARE(readBytes(track), original);

        QTest::keyClick(editor_, Qt::Key_S, Qt::ControlModifier);

        QVERIFY(services_->messages.empty());
        QCOMPARE(editor_->windowTitle(), QStringLiteral("Magic data - t.dat"));
        QCOMPARE(editor_->statusBar()->currentMessage(), QStringLiteral("Saved."));
        const auto saved = readBytes(track);
        vantor::MagicBlock expected = blockWithEntries(3, 5);
        expected.setValue(7, -42);
        expected.setValue(40, 65535);
        const auto marked = expected.markedForm();
        QVERIFY(saved ==
                vantor::spliced(original, marked, *vantor::planSplice(original, marked.size()).splice));
        // What the command-line tool then reports is what the editor shows.
        const ProcessResult shown =
            runProcess(VANTOR_CLI_PATH, {"show", track.string(), "--json"}, files_->path());
        QCOMPARE(shown.exitCode, 0);
        const QJsonObject report = QJsonDocument::fromJson(QByteArray::fromStdString(shown.out)).object();
        const QJsonArray values = report["values"].toArray();
        QCOMPARE(values.size(), vantor::MagicValueCount);
        for (const QJsonValue& value : values) {
            const int number = value["number"].toInt();
            QCOMPARE(value["value"].toInteger(), qint64(editor_->document().value(number)));
        }
        QJsonArray entries;
        for (const vantor::BumpEntry& entry : editor_->document().bumpTable()) {
            entries.append(QJsonArray{entry.first, entry.second});
        }
        QCOMPARE(report["bump_table"].toArray(), entries);
        QCOMPARE(fs::exists(*files_ / "t.bak"), backup);
        if (backup) {
            QVERIFY(readBytes(*files_ / "t.bak") == original);
        }

        // What was saved is what the next save compares the track with: a second save goes through.
        typeValue(*editor_, 8, "3");
        QVERIFY(editor_->save());
        QVERIFY(services_->messages.empty());
        QCOMPARE(vantor::readCustomMagicBlock(track).value(8), 3);
    }

    // A refused text stays in the cell with its reason in the status line; Enter does not take it
    // and Escape leaves the value as it was. Nothing is stored wrapped.
    void refusesAValueOutsideItsRangeInPlace() {
        const auto track = files_->write("t.dat", trackWithBlock(5));
        open(track);
        const std::int32_t before = editor_->document().value(7);

        typeValue(*editor_, 7, "120");

        QCOMPARE(editor_->statusBar()->currentMessage(),
                 QStringLiteral("value 7 = 120 is outside -151 to 104, the range of a biased byte"));
        // Still editing: the cell's editor has the focus.
        auto* line = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(line != nullptr && editor_->valuesView->isAncestorOf(line));
        QCOMPARE(line->text(), QStringLiteral("120"));
        QCOMPARE(line->toolTip(), editor_->statusBar()->currentMessage());
        QTest::keyClick(line, Qt::Key_Escape);
        QCOMPARE(editor_->document().value(7), before);
        QCOMPARE(editor_->document().undoStack().count(), 0);
        QCOMPARE(editor_->windowTitle(), QStringLiteral("Magic data - t.dat"));

        // Mended in place, it is taken.
        typeValue(*editor_, 7, "12abc");
        QVERIFY(editor_->statusBar()->currentMessage().contains("is not a whole number"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(editor_->document().value(7), 12);
        QVERIFY(editor_->statusBar()->currentMessage().isEmpty());
    }

    // Closing with unsaved changes asks; Cancel keeps the editor open, Discard closes it with the
    // file as it was, Save saves first.
    void asksBeforeClosingWithUnsavedChanges_data() {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saves");
        QTest::newRow("cancel") << QMessageBox::Cancel << false << false;
        QTest::newRow("discard") << QMessageBox::Discard << true << false;
        QTest::newRow("save") << QMessageBox::Save << true << true;
    }
    void asksBeforeClosingWithUnsavedChanges() {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, closes);
        QFETCH(bool, saves);
        const auto original = trackWithBlock(5);
        const auto track = files_->write("t.dat", original);
        open(track);
        typeValue(*editor_, 3, "1");
        services_->questionAnswers.push_back(answer);

        QTest::keyClick(editor_, Qt::Key_W, Qt::ControlModifier);

        QCOMPARE(services_->questions.size(), 1u);
        QCOMPARE(services_->questions[0].caption, QStringLiteral("Magic data"));
        QCOMPARE(services_->questions[0].text, QStringLiteral("Save the changes to t.dat?"));
        QCOMPARE(services_->questions[0].buttons,
                 QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        if (closes) {
            QTRY_VERIFY(editor_.isNull());
        } else {
            QVERIFY(editor_->isVisible());
        }
        QCOMPARE(readBytes(track) != original, saves);
        if (saves) {
            QCOMPARE(vantor::loadSource(fileSource(track)).source->block.value(3), 1);
        }
    }

    // A save that fails keeps the editor open with its changes: the track gone, a magic data file
    // changed behind the editor's back so that the in-place edit cannot be made, or a value changed
    // by another program since the editor read it, which the save would undo. Nothing is written.
    void failedSaveKeepsTheChanges_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message");
        QTest::newRow("track gone") << "t.dat"
                                    << "remove" << qText(vantor::text::FileNotFound);
        QTest::newRow("magic data file no longer one") << "m.md2"
                                                       << "replace" << qText(vantor::text::NotAMagicFile);
        QTest::newRow("track value set meanwhile") << "t.dat"
                                                   << "set" << qText(vantor::text::TrackMagicDataChanged);
        QTest::newRow("magic data file value set meanwhile")
            << "m.md2"
            << "set" << qText(vantor::text::MagicFileChanged);
    }
    void failedSaveKeepsTheChanges() {
        QFETCH(QString, file);
        QFETCH(QString, change);
        QFETCH(QString, message);
        files_->write("t.dat", trackWithBlock(5));
        files_->write("m.md2", vantor::formatMagicFile(blockWithEntries(3, 5), {}));
        const fs::path path = *files_ / file.toStdString();
        open(path);
        typeValue(*editor_, 3, "1");
        if (change == "remove") {
            fs::remove(path);
        } else if (change == "replace") {
            files_->write("m.md2", std::string("[something else]\r\n"));
        } else {
            RecordingMessages messages;
            const vantor::ValueChange other{4, blockWithEntries(3, 5).value(4) + 1};
            const auto set = file.endsWith("dat") ? vantor::SetTrackValues : vantor::SetMagicFileValues;
            QCOMPARE(set(path, {&other, 1}, std::nullopt, messages), vantor::EditResult::Changed);
        }
        const auto before = fs::exists(path) ? readBytes(path) : std::vector<std::uint8_t>{};
        services_->questionAnswers.push_back(QMessageBox::Save);

        editor_->close();

        QCOMPARE(services_->messages.size(), 1u);
        QCOMPARE(services_->messages[0].text, message);
        QVERIFY(!editor_.isNull() && editor_->isVisible());
        QVERIFY(editor_->windowTitle().endsWith(" *"));
        QCOMPARE(editor_->document().value(3), 1);
        QCOMPARE(fs::exists(path) ? readBytes(path) : std::vector<std::uint8_t>{}, before);
        QCOMPARE(files_->fileNames().size(), change == "remove" ? 1u : 2u);
    }

    // Undone back to the saved state, the editor closes without a question.
    void undoToTheSavedStateNeedsNoQuestion() {
        const auto track = files_->write("t.dat", trackWithBlock(5));
        open(track);
        typeValue(*editor_, 3, "1");
        typeValue(*editor_, 4, "2");
        QTest::keyClick(editor_, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor_->document().value(4), blockWithEntries(3, 5).value(4));
        QTest::keyClick(editor_, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(editor_->document().value(4), 2);
        QTest::keyClick(editor_, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(editor_, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor_->windowTitle(), QStringLiteral("Magic data - t.dat"));
        editor_->close();
        QTRY_VERIFY(editor_.isNull());
        QVERIFY(services_->questions.empty());
    }

    // A magic data file is saved in place: only the changed value's number is replaced, every
    // other byte stays.
    void savesAMagicDataFileInPlace() {
        const std::string text =
            magicText({{7, "-3        ; my own words"}, {40, "12 ; x"}}, {"100,2", "200,3"});
        const auto magic = files_->write("m.md2", text);
        open(magic);
        QCOMPARE(editor_->windowTitle(), QStringLiteral("Magic data - m.md2"));
        QCOMPARE(editor_->valuesModel()
                     .index(MagicValuesModel::rowOf(7), MagicValuesModel::Description)
                     .data()
                     .toString(),
                 QStringLiteral("my own words"));
        typeValue(*editor_, 7, "-100");
        QVERIFY(editor_->save());
        std::string expected = text;
        expected.replace(expected.find("-3        ;"), 2, "-100");
        const auto saved = readBytes(magic);
        QCOMPARE(std::string(saved.begin(), saved.end()), expected);
    }

    // Stock data can only be saved as a new magic data file, which the editor then works on.
    void savesStockDataAsAMagicDataFile() {
        const auto exe = *files_ / "KX7_2000.EXE";
        writeStockExecutable(exe);
        const auto load = vantor::loadSource({vantor::SourceKind::StockData, exe, 5, exe.string() + "@5"});
        showEditor(new TFMagicEditor(*load.source, context(exe.string())));
        QCOMPARE(editor_->windowTitle(), QStringLiteral("Magic data - KX7_2000.EXE track 5"));
        QVERIFY(editor_->findingsList->isHidden());
        const auto target = *files_ / "out.md2";
        services_->saveAnswers.push_back(qPath(target));
        typeValue(*editor_, 1, "0");

        QTest::keyClick(editor_, Qt::Key_S, Qt::ControlModifier);

        QCOMPARE(services_->saves.size(), 1u);
        QCOMPARE(services_->saves[0].defaultSuffix, QStringLiteral("md2"));
        QCOMPARE(editor_->windowTitle(), QStringLiteral("Magic data - out.md2"));
        const auto written = vantor::loadSource(fileSource(target));
        QCOMPARE(written.source->block.value(1), 0);
        QCOMPARE(bumpTableOf(written.source->block), bumpTableOf(load.source->block));
        QVERIFY(readBytes(exe).size() == vantor::ExpectedExeSize);
    }

    // Compared with the stock data, the differing rows are marked, "differences only" keeps them,
    // and copying from the other for the selected rows is one step that undo takes back.
    void comparesWithStockDataAndCopies() {
        const auto exe = *files_ / "KX7_2000.EXE";
        writeStockExecutable(exe);
        const auto stock = vantor::ReadStockBlock(exe, 5);
        vantor::MagicBlock mine = stock;
        mine.setValue(2, stock.value(2) + 1);
        mine.setValue(60, stock.value(60) + 1);
        auto marked = mine.markedForm();
        const auto plain = plainTrack();
        const auto track = files_->write(
            "t.dat", vantor::spliced(plain, marked, *vantor::planSplice(plain, marked.size()).splice));
        showEditor(new TFMagicEditor(*vantor::loadSource(fileSource(track)).source, context(exe.string())));
        QVERIFY(editor_->valuesView->isColumnHidden(MagicValuesModel::OtherValue));
        QVERIFY(!editor_->copyFromOtherAction->isEnabled());
        services_->inputAnswers.push_back(QStringLiteral("5"));

        QTest::keyClick(editor_, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);

        QCOMPARE(services_->inputs.size(), 1u);
        QVERIFY(!editor_->valuesView->isColumnHidden(MagicValuesModel::OtherValue));
        QCOMPARE(editor_->valuesModel().headerData(MagicValuesModel::OtherValue, Qt::Horizontal).toString(),
                 QStringLiteral("KX7_2000.EXE track 5"));
        QTest::keyClick(editor_, Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(editor_->valuesView->model()->rowCount(), 2);
        QVERIFY(editor_->bumpChart->isVisible());

        editor_->valuesView->setFocus();
        editor_->valuesView->selectAll();
        QTest::keyClick(editor_, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        for (int k = 1; k <= vantor::MagicValueCount; ++k) {
            QCOMPARE(editor_->document().value(k), stock.value(k));
        }
        QCOMPARE(editor_->valuesView->model()->rowCount(), 0);
        QCOMPARE(editor_->document().undoStack().count(), 1);
        QTest::keyClick(editor_, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor_->document().value(60), mine.value(60));
        QCOMPARE(editor_->valuesView->model()->rowCount(), 2);

        editor_->stopComparingAction->trigger();
        QVERIFY(editor_->valuesView->isColumnHidden(MagicValuesModel::OtherValue));
        QCOMPARE(editor_->valuesView->model()->rowCount(), 130);
    }

    // "Compare with..." takes a track or a magic data file; one that holds no block is told.
    void comparesWithAFile() {
        const auto track = files_->write("t.dat", trackWithBlock(5));
        const auto other = files_->write("o.md2", vantor::formatMagicFile(blockWithEntries(4, 5), {}));
        const auto bare = files_->write("bare.dat", plainTrack());
        open(track);
        services_->openAnswers = {qPath(bare), qPath(other)};
        QTest::keyClick(editor_, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(services_->messages.size(), 1u);
        QCOMPARE(services_->messages[0].text, qText(vantor::text::NoCustomMagicData));
        QVERIFY(!editor_->document().other());

        QTest::keyClick(editor_, Qt::Key_K, Qt::ControlModifier);
        QVERIFY(editor_->document().other().has_value());
        // Equal values, a longer bump table: only the extra entry differs.
        QCOMPARE(editor_->bumpModel().rowCount(), 4);
        QVERIFY(editor_->bumpModel().index(3, 0).data(CheckedTableModel::DiffersRole).toBool());
        QVERIFY(!editor_->bumpModel().index(0, 0).data(CheckedTableModel::DiffersRole).toBool());
        QTest::keyClick(editor_, Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(editor_->valuesView->model()->rowCount(), 0);

        // The missing entry copied in from the other.
        editor_->bumpView->setFocus();
        editor_->bumpView->selectRow(3);
        editor_->copyFromOtherAction->trigger();
        QCOMPARE(editor_->document().bumpTable(), bumpTableOf(blockWithEntries(4, 5)));
    }

    // The bump table's buttons add behind the current entry, remove, and move; each is a step,
    // and the chart follows the table.
    void editsTheBumpTable() {
        const auto track = files_->write("t.dat", trackWithBlock(5));
        open(track);
        const auto start = editor_->document().bumpTable();
        editor_->bumpView->setFocus();
        editor_->bumpView->setCurrentIndex(editor_->bumpModel().index(0, 0));

        // A button's mnemonic clicks it after a short show of the press.
        QTest::keyClick(editor_, Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(editor_->document().bumpTable().size(), 4u);
        auto table = editor_->document().bumpTable();
        QCOMPARE(table.size(), 4u);
        QCOMPARE(table[1], start[0]);
        QCOMPARE(editor_->bumpView->currentIndex().row(), 1);
        QCOMPARE(editor_->bumpChart->entries(), table);

        QTest::keyClick(editor_, Qt::Key_W, Qt::AltModifier);
        QTRY_COMPARE(editor_->document().undoStack().count(), 2);
        table = editor_->document().bumpTable();
        QCOMPARE(table[2], start[0]);
        QCOMPARE(table[1], start[1]);
        QCOMPARE(editor_->bumpView->currentIndex().row(), 2);

        QTest::keyClick(editor_, Qt::Key_R, Qt::AltModifier);
        QTRY_COMPARE(editor_->document().bumpTable().size(), 3u);
        QCOMPARE(editor_->document().undoStack().count(), 3);
        QCOMPARE(editor_->document().undoStack().undoText(), QStringLiteral("Remove bump entry"));
        for (int step = 0; step < 3; ++step) {
            QTest::keyClick(editor_, Qt::Key_Z, Qt::ControlModifier);
        }
        QCOMPARE(editor_->document().bumpTable(), start);
        QCOMPARE(editor_->bumpChart->entries(), start);

        // A number typed in the table: 65535 is held back.
        editor_->bumpView->setCurrentIndex(editor_->bumpModel().index(2, BumpTableModel::Second));
        QTest::keyClick(editor_->bumpView, Qt::Key_F2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), "65535");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(editor_->statusBar()->currentMessage(), qText(vantor::text::BumpNumberRange));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(editor_->document().bumpTable(), start);
    }

    // The check's findings of a magic data file are listed when it opens; activating one selects
    // the value on its line.
    void listsTheFindingsAndSelectsTheirRows() {
        const auto magic = files_->write("m.md2", magicText({{7, "12abc ; typo"}, {9, "120 ; high"}}));
        open(magic);
        QCOMPARE(editor_->findingsList->count(), 2);
        QVERIFY(editor_->findingsList->item(0)->text().startsWith("line 9: error: value 7"));
        QVERIFY(editor_->findingsList->item(1)->text().startsWith("line 11: warning: value 9"));
        editor_->findingsList->setCurrentRow(1);
        editor_->findingsList->setFocus();
        QTest::keyClick(editor_->findingsList, Qt::Key_Return);
        const QModelIndex current = editor_->valuesView->currentIndex();
        QCOMPARE(current.siblingAtColumn(MagicValuesModel::Number).data().toInt(), 9);
    }

    // Keyboard first: the tab order runs values, bump table, buttons; every command has a shortcut
    // or a mnemonic.
    void worksFromTheKeyboard() {
        const auto track = files_->write("t.dat", trackWithBlock(5));
        open(track);
        QList<QWidget*> chain;
        QWidget* widget = editor_->valuesView;
        for (int step = 0; step < 6; ++step) {
            chain << widget;
            widget = widget->nextInFocusChain();
            while (!(widget->focusPolicy() & Qt::TabFocus)) {
                widget = widget->nextInFocusChain();
            }
        }
        QCOMPARE(chain, QList<QWidget*>({editor_->valuesView, editor_->bumpView, editor_->addEntryButton,
                                         editor_->removeEntryButton, editor_->moveUpButton,
                                         editor_->moveDownButton}));
        for (QAction* action :
             {editor_->saveAction, editor_->saveAsAction, editor_->closeAction, editor_->undoAction,
              editor_->redoAction, editor_->copyFromOtherAction, editor_->compareAction,
              editor_->compareStockAction, editor_->differencesOnlyAction}) {
            QVERIFY2(!action->shortcut().isEmpty(), qPrintable(action->text()));
        }
        QVERIFY(editor_->stopComparingAction->text().contains('&'));
        for (QPushButton* button : {editor_->addEntryButton, editor_->removeEntryButton,
                                    editor_->moveUpButton, editor_->moveDownButton}) {
            QVERIFY2(button->text().contains('&'), qPrintable(button->text()));
        }
    }

    // Nothing is clipped, with the platform's font or a large one: captions fit, and the table
    // columns are as wide as their headers.
    void captionsFit_data() { addFontSizeRows(); }
    void captionsFit() {
        QFETCH(int, pointSize);
        const ApplicationFontScope font(pointSize);
        const auto track = files_->write("t.dat", trackWithBlock(5));
        open(track);
        const QStringList clipped = clippedCaptions(*editor_->centralWidget());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
        for (QTableView* view : {editor_->valuesView, editor_->bumpView}) {
            QHeaderView* header = view->horizontalHeader();
            for (int column = 0; column < header->count(); ++column) {
                if (!header->isSectionHidden(column)) {
                    QVERIFY(header->sectionSize(column) >= header->sectionSizeHint(column));
                }
            }
        }
        QVERIFY(editor_->bumpChart->height() >= editor_->bumpChart->minimumSizeHint().height());
    }

private:
    MagicEditorContext context(std::string exe = {}) {
        return {vantor::Descriptions{}, std::move(exe), [this] { return backup_; }};
    }
    void open(const fs::path& file) {
        auto load = vantor::loadSource(fileSource(file));
        QVERIFY(load.source.has_value());
        showEditor(new TFMagicEditor(std::move(*load.source), context()));
    }
    // Shown and active, as the window's shortcuts need.
    void showEditor(TFMagicEditor* editor) {
        editor_ = editor;
        editor_->show();
        QVERIFY(QTest::qWaitForWindowActive(editor_));
    }

    std::optional<TempFolder> files_;
    std::unique_ptr<FakeDesktopServices> services_;
    QPointer<TFMagicEditor> editor_;
    vantor::BackupChoice backup_ = vantor::BackupChoice::None;
};

QTEST_MAIN(VantorMagicEditorTest)
#include "vantor_magic_editor_test.moc"
