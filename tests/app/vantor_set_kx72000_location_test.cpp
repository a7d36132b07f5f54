#include "vantor_set_kx72000_location.hpp"

#include <functional>
#include <memory>
#include <optional>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "fake_desktop_services.hpp"
#include "filename_edit.hpp"
#include "magic_file.hpp"
#include "stock_executable.hpp"
#include "temp_folder.hpp"
#include "text_conversion.hpp"
#include "vantor_main.hpp"

using namespace vantor::testing;
namespace app = vantor::app;
namespace fs = std::filesystem;

namespace {

const QString NotSet = QStringLiteral(
    "KX7_2000.EXE location not set!\r\n\r\nPlease use the menu option to set the KX7_2000.EXE location.");
const QString WrongSize =
    QStringLiteral("This file doesn't appear to be the right one.\r\n\r\nVantor only works with "
                   "the decrypted KX7_2000.EXE\r\n(9150464 bytes).");

// What the user does in the location dialog: the name typed or chosen (none: the edit is left
// alone) and how the dialog is closed.
enum class Close { CloseBox, Ok };

} // namespace

class VantorSetKX72000LocationTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        program_.emplace();
        files_.emplace();
        current_.emplace();
        services_ = std::make_unique<FakeDesktopServices>();
        location_ = std::make_unique<TFKX72000Location>();
        FKX72000Location = location_.get();
        savedCurrent_ = QDir::currentPath();
        QDir::setCurrent(qPath(current_->path()));
        exe_ = *files_ / "KX7_2000.EXE";
        writeStockExecutable(exe_);
        other_ = *files_ / "other.exe";
        writeStockExecutable(other_);
    }
    void cleanup() {
        window_.reset();
        FKX72000Location = nullptr;
        location_.reset();
        services_.reset();
        QDir::setCurrent(savedCurrent_);
        current_.reset();
        files_.reset();
        program_.reset();
    }

    void buildsAsDesigned() {
        QCOMPARE(location_->windowTitle(), QStringLiteral("Set KX7-2000 Location"));
        QCOMPARE(location_->LKX72000EXELocation->text(), QStringLiteral("KX7_2000.EXE Location : "));
        QCOMPARE(location_->FEKX72000EXE->filter(),
                 QStringLiteral("KX7_2000.EXE|KX7_2000.EXE|All files (*.*)|*.*"));
        QCOMPARE(location_->BOK->text(), QStringLiteral("OK"));
        QVERIFY(location_->BOK->isDefault());
        QCOMPARE(location_->findChildren<QPushButton*>().size(), 1);
        QCOMPARE(location_->minimumSize(), location_->maximumSize());
        QVERIFY(!location_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!location_->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

        // The edit has the focus, Escape leaves the dialog open, Enter presses OK.
        QWidget* focus = nullptr;
        bool openAfterEscape = false;
        QTimer::singleShot(0, [&] {
            if (QTest::qWaitForWindowActive(location_.get())) {
                focus = QApplication::focusWidget();
                QTest::keyClick(location_.get(), Qt::Key_Escape);
                openAfterEscape = location_->isVisible();
            }
            QTest::keyClick(location_->BOK, Qt::Key_Return);
        });
        QCOMPARE(location_->exec(), int(QDialog::Accepted));
        QCOMPARE(focus, location_->FEKX72000EXE->edit());
        QVERIFY(openAfterEscape);
    }

    void nothingIsClipped() {
        location_->show();
        QVERIFY(QTest::qWaitForWindowExposed(location_.get()));
        for (QWidget* control :
             {static_cast<QWidget*>(location_->LKX72000EXELocation), static_cast<QWidget*>(location_->BOK)}) {
            QVERIFY(control->sizeHint().width() <= control->width());
            QVERIFY(control->sizeHint().height() <= control->height());
        }
        QVERIFY(location_->FEKX72000EXE->geometry().right() < location_->width());
        QVERIFY(location_->BOK->geometry().bottom() < location_->height());
    }

    // At the first start the dialog comes before the window; the way it is closed is ignored.
    void firstStartAsksForTheExecutable_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("close");
        QTest::addColumn<bool>("taken");
        QTest::newRow("close box, nothing chosen") << QString() << int(Close::CloseBox) << false;
        QTest::newRow("close box after choosing") << "exe" << int(Close::CloseBox) << true;
        QTest::newRow("OK after choosing") << "exe" << int(Close::Ok) << true;
        QTest::newRow("OK on a missing file") << "missing" << int(Close::Ok) << false;
    }
    void firstStartAsksForTheExecutable() {
        QFETCH(QString, chosen);
        QFETCH(int, close);
        QFETCH(bool, taken);
        openWindow();
        bool windowHiddenDuringDialog = false;
        const bool shown =
            answerDialog([&] { window_->show(); },
                         [&](TFKX72000Location& dialog) {
                             windowHiddenDuringDialog =
                                 window_->windowHandle() == nullptr || !window_->windowHandle()->isVisible();
                             if (!chosen.isEmpty()) {
                                 dialog.FEKX72000EXE->setFileName(
                                     qPath(*files_ / (chosen == "exe" ? "KX7_2000.EXE" : "none.exe")));
                             }
                             finish(dialog, Close(close));
                         });
        QVERIFY(shown);
        QVERIFY(windowHiddenDuringDialog);
        QCOMPARE(app::GameExePath, taken ? exe_.string() : std::string());
        QCOMPARE(window_->CreateMagicFilefromKX72000EXE1->isEnabled(), taken);
        if (taken) {
            QVERIFY(services_->messages.empty());
        } else {
            QCOMPARE(services_->messages.size(), 1u);
            QCOMPARE(services_->messages[0].caption, QStringLiteral("Warning"));
            QCOMPARE(services_->messages[0].icon, QMessageBox::Warning);
            QCOMPARE(services_->messages[0].text, NotSet);
        }
    }

    // A stored path is taken untested, the dialog only preset with it.
    void storedPathIsTakenWithoutTheDialog_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("message");
        QTest::newRow("existing") << "KX7_2000.EXE" << true << QString();
        QTest::newRow("removed since") << "gone.exe" << false << QString();
        QTest::newRow("wrong size") << "short.exe" << true << WrongSize;
    }
    void storedPathIsTakenWithoutTheDialog() {
        QFETCH(QString, file);
        QFETCH(bool, enabled);
        QFETCH(QString, message);
        writeStockExecutable(*files_ / "short.exe", 2000000);
        const fs::path stored = *files_ / file.toStdString();
        storePath(stored);
        openWindow();
        QVERIFY(!answerDialog([&] { window_->show(); }, [](TFKX72000Location& dialog) { dialog.reject(); }));
        QCOMPARE(app::GameExePath, stored.string());
        QCOMPARE(window_->CreateMagicFilefromKX72000EXE1->isEnabled(), enabled);
        QCOMPARE(location_->FEKX72000EXE->text(), qPath(stored));
        QCOMPARE(location_->FEKX72000EXE->initialDir(), qPath(files_->path()) + '/');
        if (message.isEmpty()) {
            QVERIFY(services_->messages.empty());
        } else {
            QCOMPARE(services_->messages.size(), 1u);
            QCOMPARE(services_->messages[0].caption, QStringLiteral("Information"));
            QCOMPARE(services_->messages[0].icon, QMessageBox::Information);
            QCOMPARE(services_->messages[0].text, message);
        }
    }

    // A stored path the edit refuses ends the start-up step: no warning, the item as it was.
    void refusedStoredPathSkipsTheRestOfTheStart() {
        storePath("/games/a<b.exe");
        openWindow();
        QVERIFY(!answerDialog([&] { window_->show(); }, [](TFKX72000Location& dialog) { dialog.reject(); }));
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        QCOMPARE(services_->messages.size(), 1u);
        QCOMPARE(services_->messages[0].icon, QMessageBox::Critical);
        QCOMPARE(services_->messages[0].text, QStringLiteral("Invalid file name - /games/a<b.exe."));
        QVERIFY(window_->CreateMagicFilefromKX72000EXE1->isEnabled());
        QCOMPARE(app::GameExePath, std::string("/games/a<b.exe"));
    }

    // From the menu only OK takes the edit's name; no message but the size check's.
    void menuCommandTakesTheNameOnOkOnly_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("close");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("message");
        QTest::newRow("other file, close box")
            << "other.exe" << int(Close::CloseBox) << "KX7_2000.EXE" << QString();
        QTest::newRow("other file, OK") << "other.exe" << int(Close::Ok) << "other.exe" << QString();
        QTest::newRow("cleared, OK") << "" << int(Close::Ok) << "" << QString();
        QTest::newRow("missing file, OK") << "none.exe" << int(Close::Ok) << "" << QString();
        QTest::newRow("wrong size, OK") << "short.exe" << int(Close::Ok) << "short.exe" << WrongSize;
    }
    void menuCommandTakesTheNameOnOkOnly() {
        QFETCH(QString, typed);
        QFETCH(int, close);
        QFETCH(QString, expected);
        QFETCH(QString, message);
        writeStockExecutable(*files_ / "short.exe", 2000000);
        storePath(exe_);
        openWindow();
        window_->show();
        QVERIFY(services_->messages.empty());
        QVERIFY(answerDialog([&] { window_->SetKX72000EXElocation1->trigger(); },
                             [&](TFKX72000Location& dialog) {
                                 if (typed.isEmpty()) {
                                     dialog.FEKX72000EXE->clear();
                                 } else {
                                     dialog.FEKX72000EXE->edit()->setText(
                                         qPath(*files_ / typed.toStdString()));
                                 }
                                 finish(dialog, Close(close));
                             }));
        const std::string path =
            expected.isEmpty() ? std::string() : (*files_ / expected.toStdString()).string();
        QCOMPARE(app::GameExePath, path);
        QCOMPARE(window_->CreateMagicFilefromKX72000EXE1->isEnabled(), !expected.isEmpty());
        QCOMPARE(services_->messages.size(), message.isEmpty() ? 0u : 1u);
        if (!message.isEmpty()) {
            QCOMPARE(services_->messages[0].text, message);
        }
    }

    // The stock command writes magic2k_NN.md2 in the current folder; anything but a track number
    // of 1 to 17, Cancel included, does nothing.
    void stockCommandWritesTheTrack_data() {
        QTest::addColumn<std::optional<QString>>("reply");
        QTest::addColumn<int>("track");
        QTest::newRow("7") << std::optional<QString>("7") << 7;
        QTest::newRow("17") << std::optional<QString>("17") << 17;
        QTest::newRow("blank, 5") << std::optional<QString>(" 5") << 5;
        QTest::newRow("$A") << std::optional<QString>("$A") << 10;
        QTest::newRow("0x11") << std::optional<QString>("0x11") << 17;
        QTest::newRow("Cancel") << std::optional<QString>() << 0;
        QTest::newRow("0") << std::optional<QString>("0") << 0;
        QTest::newRow("18") << std::optional<QString>("18") << 0;
        QTest::newRow("-1") << std::optional<QString>("-1") << 0;
        QTest::newRow("abc") << std::optional<QString>("abc") << 0;
        QTest::newRow("empty") << std::optional<QString>("") << 0;
        QTest::newRow("5, blank") << std::optional<QString>("5 ") << 0;
    }
    void stockCommandWritesTheTrack() {
        QFETCH(std::optional<QString>, reply);
        QFETCH(int, track);
        storePath(exe_, "\r\n[descriptions]\r\ndesc1=the first value\r\n");
        openWindow();
        window_->show();
        QVERIFY(window_->CreateMagicFilefromKX72000EXE1->isEnabled());
        services_->inputAnswers.push_back(reply);
        window_->CreateMagicFilefromKX72000EXE1->trigger();

        QVERIFY(services_->messages.empty());
        if (track == 0) {
            QVERIFY(current_->fileNames().empty());
            return;
        }
        const std::string name = track < 10 ? "magic2k_0" + std::to_string(track) + ".md2"
                                            : "magic2k_" + std::to_string(track) + ".md2";
        QCOMPARE(current_->fileNames(), std::vector<std::string>{name});
        const auto& range = StockRanges[static_cast<std::size_t>(track - 1)];
        const std::string expected =
            vantor::formatMagicFile(vantor::MagicBlock(stockBytes(range)), app::Descriptions);
        QVERIFY(expected.find("the first value") != std::string::npos);
        QCOMPARE(readBytes(*current_ / name), bytesOf(expected));
    }

    void stockCommandAsksForTheTrack() {
        storePath(exe_);
        openWindow();
        window_->show();
        window_->CreateMagicFilefromKX72000EXE1->trigger();
        QCOMPARE(services_->inputs.size(), 1u);
        QCOMPARE(services_->inputs[0].caption, QStringLiteral("Create Magic file from KX7_2000.EXE"));
        QCOMPARE(services_->inputs[0].prompt, QStringLiteral("Track number (1-17) : "));
        QCOMPARE(services_->inputs[0].defaultText, QStringLiteral("1"));
    }

    void shortExecutableGivesTheReadError() {
        const auto shortExe = *files_ / "short.exe";
        writeStockExecutable(shortExe, StockRanges[0].offset + 100);
        storePath(shortExe);
        openWindow();
        window_->show();
        services_->messages.clear();
        services_->inputAnswers.push_back(QStringLiteral("1"));
        window_->CreateMagicFilefromKX72000EXE1->trigger();
        QCOMPARE(services_->messages.size(), 1u);
        QCOMPARE(services_->messages[0].icon, QMessageBox::Critical);
        QCOMPARE(services_->messages[0].text, QStringLiteral("Read beyond end of file."));
        QVERIFY(current_->fileNames().empty());
    }

private:
    void openWindow() {
        window_ =
            std::make_unique<TFVantor>(ProgramPlace{program_->path(), program_->path() / "vantor2000.ini"});
    }
    void storePath(const fs::path& exe, const std::string& more = {}) {
        program_->write("vantor2000.ini", "[config]\r\nkx72000exe=" + exe.string() + more + "\r\n");
    }
    static void finish(TFKX72000Location& dialog, Close close) {
        if (close == Close::Ok) {
            dialog.BOK->click();
        } else {
            dialog.close();
        }
    }
    // Runs the action, answering the location dialog if it comes up; true when it did.
    bool answerDialog(const std::function<void()>& action,
                      const std::function<void(TFKX72000Location&)>& answer) {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TFKX72000Location*>(QApplication::activeModalWidget());
            if (dialog != nullptr) {
                shown = true;
                answer(*dialog);
            }
        });
        action();
        // Lets the answer run even when no dialog held the action up.
        QCoreApplication::processEvents();
        return shown;
    }

    std::optional<TempFolder> program_;
    std::optional<TempFolder> files_;
    std::optional<TempFolder> current_;
    std::unique_ptr<FakeDesktopServices> services_;
    std::unique_ptr<TFKX72000Location> location_;
    std::unique_ptr<TFVantor> window_;
    fs::path exe_;
    fs::path other_;
    QString savedCurrent_;
};

QTEST_MAIN(VantorSetKX72000LocationTest)
#include "vantor_set_kx72000_location_test.moc"
