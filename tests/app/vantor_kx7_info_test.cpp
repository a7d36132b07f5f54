#include "vantor_kx7_info.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "fake_desktop_services.hpp"
#include "io_error.hpp"
#include "temp_folder.hpp"
#include "texts.hpp"
#include "track_fixture.hpp"
#include "track_checksum.hpp"
#include "unwritable_file.hpp"

using namespace vantor::testing;
namespace fs = std::filesystem;

namespace {

constexpr std::string_view FullBlock =
    "#KX7INFO|Name|Alpha|Country|Nowhere|Author|Kim|Laps|3|Split1|0x0040|Split2|2A|#";

// The dialog on a track path the test can change between showings.
struct Fixture {
    TempFolder folder;
    fs::path track;
    FakeDesktopServices desktop;
    TFEditKX7info dialog{[this] { return track; }};

    // Shows the dialog modally, lets act work on it once it is up, and returns how it ended. A
    // dialog act leaves open is closed by its close box.
    int showAnd(const std::function<void(TFEditKX7info&)>& act) {
        QTimer::singleShot(0, &dialog, [this, act] {
            if (!QTest::qWaitForWindowActive(&dialog)) {
                dialog.done(-1);
                return;
            }
            act(dialog);
            if (dialog.isVisible()) {
                dialog.close();
            }
        });
        return dialog.exec();
    }

    QStringList shownTexts() {
        return {dialog.EName->text(), dialog.ECountry->text(), dialog.EAuthor->text(),
                dialog.ELaps->text(), dialog.ESplit1->text(),  dialog.ESplit2->text()};
    }
};

void typeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void save(TFEditKX7info& dialog) {
    QTest::mouseClick(dialog.BSave, Qt::LeftButton);
}

bool checksumValid(const std::vector<std::uint8_t>& bytes) {
    return vantor::computeTrackChecksum(bytes) == vantor::storedTrackChecksum(bytes);
}

} // namespace

class VantorKX7InfoTest : public QObject {
    Q_OBJECT

private slots:
    void layout() {
        Fixture fixture;
        TFEditKX7info& dialog = fixture.dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit KX7info"));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QCOMPARE(dialog.BSave->text(), QStringLiteral("Save to track"));
        QCOMPARE(dialog.BCancel->text(), QStringLiteral("Cancel"));
        QVERIFY(!dialog.BSave->isDefault() && !dialog.BSave->autoDefault());
        QVERIFY(!dialog.BCancel->isDefault() && !dialog.BCancel->autoDefault());
        for (QLineEdit* edit : {dialog.EName, dialog.ECountry, dialog.EAuthor}) {
            QCOMPARE(edit->parentWidget(), dialog.PTop);
            QVERIFY(edit->geometry().right() <= dialog.PTop->rect().right());
            QVERIFY(edit->geometry().bottom() <= dialog.PTop->rect().bottom());
            QVERIFY(edit->sizeHint().height() <= edit->height());
        }
        for (QWidget* control :
             std::initializer_list<QWidget*>{dialog.LName, dialog.LCountry, dialog.LAuthor, dialog.LLaps,
                                             dialog.LSplit1, dialog.LSplit2, dialog.BSave, dialog.BCancel}) {
            QVERIFY(control->sizeHint().width() <= control->width());
            QVERIFY(control->sizeHint().height() <= control->height());
        }
        QVERIFY(!dialog.PTop->isEnabled());
    }

    // The split points show in signed decimal and go back as "0x" and at least four uppercase
    // digits; a text that is no integer stores both as "0". A second showing reads the saved block.
    void splitPointsShowAndSave_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("split1");
        QTest::addColumn<QString>("split2");
        QTest::addColumn<QString>("shownAfter");
        QTest::newRow("unchanged") << QString() << "0x0040"
                                   << "0x002A"
                                   << "64";
        QTest::newRow("minus one") << "-1"
                                   << "0xFFFFFFFF"
                                   << "0x002A"
                                   << "-1";
        QTest::newRow("five digits") << "70000"
                                     << "0x11170"
                                     << "0x002A"
                                     << "70000";
        QTest::newRow("dollar hex") << "$40"
                                    << "0x0040"
                                    << "0x002A"
                                    << "64";
        QTest::newRow("trailing blank") << "40 "
                                        << "0"
                                        << "0"
                                        << "0";
        QTest::newRow("empty") << ""
                               << "0"
                               << "0"
                               << "0";
    }
    void splitPointsShowAndSave() {
        QFETCH(QString, typed);
        QFETCH(QString, split1);
        QFETCH(QString, split2);
        QFETCH(QString, shownAfter);
        Fixture fixture;
        fixture.track = fixture.folder.write("track.dat", trackWithInfoBlock(FullBlock));
        QStringList shown;
        const int result = fixture.showAnd([&](TFEditKX7info& dialog) {
            shown = fixture.shownTexts();
            if (!typed.isNull()) {
                typeInto(dialog.ESplit1, typed);
            }
            save(dialog);
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(shown, (QStringList{"Alpha", "Nowhere", "Kim", "3", "64", "42"}));
        const std::string block = "#KX7INFO|Name|Alpha|Country|Nowhere|Author|Kim|Laps|3|Split1|" +
                                  split1.toStdString() + "|Split2|" + split2.toStdString() + "|#";
        const auto saved = readBytes(fixture.track);
        QCOMPARE(saved, trackWithInfoBlock(block));
        QVERIFY(checksumValid(saved));
        QVERIFY(fixture.desktop.messages.empty());

        fixture.showAnd([](TFEditKX7info&) {});
        QCOMPARE(fixture.dialog.ESplit1->text(), shownAfter);
    }

    // Missing keys show their defaults; Save adds the laps and split points at the end, in this
    // order, but no empty name; a cleared edit removes its pair.
    void missingAndClearedKeys_data() {
        QTest::addColumn<QString>("block");
        QTest::addColumn<bool>("clearLaps");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no laps, no split points, no name")
            << "#KX7INFO|Country|Here|#" << false << QStringList{"", "Here", "", "0", "0", "0"}
            << "#KX7INFO|Country|Here|Laps|0|Split1|0x0000|Split2|0x0000|#";
        QTest::newRow("laps cleared")
            << QString::fromLatin1(FullBlock.data(), qsizetype(FullBlock.size())) << true
            << QStringList{"Alpha", "Nowhere", "Kim", "3", "64", "42"}
            << "#KX7INFO|Name|Alpha|Country|Nowhere|Author|Kim|Split1|0x0040|Split2|0x002A|#";
    }
    void missingAndClearedKeys() {
        QFETCH(QString, block);
        QFETCH(bool, clearLaps);
        QFETCH(QStringList, shown);
        QFETCH(QString, saved);
        Fixture fixture;
        fixture.track = fixture.folder.write("track.dat", trackWithInfoBlock(block.toStdString()));
        QStringList texts;
        fixture.showAnd([&](TFEditKX7info& dialog) {
            texts = fixture.shownTexts();
            if (clearLaps) {
                typeInto(dialog.ELaps, "");
            }
            save(dialog);
        });
        QCOMPARE(texts, shown);
        QCOMPARE(readBytes(fixture.track), trackWithInfoBlock(saved.toStdString()));
    }

    // Tab moves through the buttons and the three editable fields only.
    void lockedFieldsNeverTakeTheFocus() {
        Fixture fixture;
        fixture.track = fixture.folder.write("track.dat", trackWithInfoBlock(FullBlock));
        std::vector<QWidget*> visited;
        QString nameAfterTyping;
        fixture.showAnd([&](TFEditKX7info& dialog) {
            dialog.ELaps->setFocus();
            for (int i = 0; i < 5; ++i) {
                visited.push_back(QApplication::focusWidget());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            dialog.EName->setFocus();
            QTest::keyClicks(QApplication::focusWidget(), "zz");
            nameAfterTyping = dialog.EName->text();
        });
        const std::vector<QWidget*> expected{fixture.dialog.ELaps, fixture.dialog.ESplit1,
                                             fixture.dialog.ESplit2, fixture.dialog.BSave,
                                             fixture.dialog.BCancel};
        QCOMPARE(visited, expected);
        QCOMPARE(nameAfterTyping, QStringLiteral("Alpha"));
    }

    // Cancel, the close box and Enter write nothing, whatever was typed.
    void leavingWithoutSaveWritesNothing_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel") << "cancel";
        QTest::newRow("close box") << "close";
        QTest::newRow("Enter") << "enter";
    }
    void leavingWithoutSaveWritesNothing() {
        QFETCH(QString, how);
        Fixture fixture;
        fixture.track = fixture.folder.write("track.dat", trackWithInfoBlock(FullBlock));
        const auto before = readBytes(fixture.track);
        bool openAfterEnter = false;
        const int result = fixture.showAnd([&](TFEditKX7info& dialog) {
            typeInto(dialog.ELaps, "9");
            typeInto(dialog.ESplit1, "-1");
            if (how == "cancel") {
                QTest::mouseClick(dialog.BCancel, Qt::LeftButton);
            } else if (how == "enter") {
                QTest::keyClick(dialog.ESplit1, Qt::Key_Return);
                openAfterEnter = dialog.isVisible();
            }
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(openAfterEnter, how == "enter");
        QCOMPARE(readBytes(fixture.track), before);
        QCOMPARE(fixture.folder.fileNames(), std::vector<std::string>{"track.dat"});
    }

    // A track that cannot be read as one with a block keeps the last track's texts on show and
    // leaves nothing to save.
    void failedReadKeepsTheOldTextsAndDisablesSave_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("message");
        QTest::newRow("no block") << QByteArray("TRK\x01head....tail\0trailing bytes", 31)
                                  << int(QMessageBox::NoIcon) << "Vantor-2000"
                                  << "Track doesn't contain KX7info data";
        QTest::newRow("block without its zero byte")
            << QByteArray("#Name|A|#\x01\x02\x03\x04", 13) << int(QMessageBox::Critical) << "Vantor-2000"
            << QString::fromStdString(vantor::IoError::textOf(100)) + '.';
    }
    void failedReadKeepsTheOldTextsAndDisablesSave() {
        QFETCH(QByteArray, contents);
        QFETCH(int, icon);
        QFETCH(QString, caption);
        QFETCH(QString, message);
        Fixture fixture;
        fixture.track = fixture.folder.write("first.dat", trackWithInfoBlock(FullBlock));
        fixture.showAnd([](TFEditKX7info&) {});
        const QStringList first = fixture.shownTexts();

        fixture.track = fixture.folder.write("second.dat", contents.toStdString());
        bool saveEnabled = true;
        const int result =
            fixture.showAnd([&](TFEditKX7info& dialog) { saveEnabled = dialog.BSave->isEnabled(); });
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(!saveEnabled);
        QCOMPARE(fixture.shownTexts(), first);
        QCOMPARE(fixture.desktop.messages.size(), std::size_t(1));
        QCOMPARE(int(fixture.desktop.messages[0].icon), icon);
        QCOMPARE(fixture.desktop.messages[0].caption, caption);
        QCOMPARE(fixture.desktop.messages[0].text, message);
        QCOMPARE(readBytes(fixture.track), bytesOf(contents.toStdString()));
    }

    // A failed write is reported under the normal cursor, leaves the track as it was, and the
    // dialog closes all the same. A typed '|' would split the block apart, so it is refused too.
    void failedWriteLeavesTheTrackAndCloses_data() {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QString>("laps");
        QTest::addColumn<QString>("message");
        QTest::newRow("unwritable track")
            << true << "9" << QString::fromStdString(vantor::IoError::textOf(5)) + '.';
        QTest::newRow("separator typed")
            << false << "9|Laps" << QString::fromStdString(vantor::text::infoTextBreaksBlock("9|Laps"));
    }
    void failedWriteLeavesTheTrackAndCloses() {
        QFETCH(bool, locked);
        QFETCH(QString, laps);
        QFETCH(QString, message);
        Fixture fixture;
        fixture.track = fixture.folder.write("track.dat", trackWithInfoBlock(FullBlock));
        const auto before = readBytes(fixture.track);
        int result = 0;
        {
            std::optional<UnwritableFile> lock;
            if (locked) {
                lock.emplace(fixture.track);
            }
            result = fixture.showAnd([&](TFEditKX7info& dialog) {
                typeInto(dialog.ELaps, laps);
                save(dialog);
            });
        }
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(readBytes(fixture.track), before);
        QCOMPARE(fixture.folder.fileNames(), std::vector<std::string>{"track.dat"});
        QCOMPARE(fixture.desktop.messages.size(), std::size_t(1));
        QCOMPARE(fixture.desktop.messages[0].icon, QMessageBox::Critical);
        QCOMPARE(fixture.desktop.messages[0].caption, QStringLiteral("Vantor-2000"));
        QCOMPARE(fixture.desktop.messages[0].text, message);
        QVERIFY(!fixture.desktop.messages[0].underWaitCursor);
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    // Another program saved the block while the dialog was open: saving what the dialog read
    // would undo that save, so nothing is written.
    void aBlockChangedWhileTheDialogWasOpenIsKept() {
        Fixture fixture;
        fixture.track = fixture.folder.write("track.dat", trackWithInfoBlock(FullBlock));
        const auto changed = trackWithInfoBlock("#KX7INFO|Name|Alpha|Laps|8|#");
        fixture.showAnd([&](TFEditKX7info& dialog) {
            fixture.folder.write("track.dat", changed);
            typeInto(dialog.ELaps, "9");
            save(dialog);
        });
        QCOMPARE(readBytes(fixture.track), changed);
        QCOMPARE(fixture.desktop.messages.size(), std::size_t(1));
        QCOMPARE(fixture.desktop.messages[0].icon, QMessageBox::Critical);
        QCOMPARE(fixture.desktop.messages[0].text,
                 QString::fromStdString(std::string(vantor::text::InfoBlockChanged)));
    }
};

QTEST_MAIN(VantorKX7InfoTest)
#include "vantor_kx7_info_test.moc"
