#include "filename_edit.hpp"

#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "fake_desktop_services.hpp"
#include "temp_folder.hpp"
#include "text_conversion.hpp"

using vantor::testing::TempFolder;

namespace {

// What the after-dialog and change events saw, in the order they came.
struct EventRecorder {
    explicit EventRecorder(TFilenameEdit& edit) {
        QObject::connect(&edit, &TFilenameEdit::afterDialog, [this, &edit](QString& name, bool& action) {
            events << QStringLiteral("afterDialog(%1, %2) text=%3")
                          .arg(name, action ? QStringLiteral("true") : QStringLiteral("false"), edit.text());
            if (replaceName) {
                name = *replaceName;
            }
            if (replaceAction) {
                action = *replaceAction;
            }
        });
        QObject::connect(&edit, &TFilenameEdit::changed,
                         [this, &edit] { events << "changed text=" + edit.text(); });
    }
    QStringList events;
    std::optional<QString> replaceName;
    std::optional<bool> replaceAction;
};

} // namespace

class FilenameEditTest : public QObject {
    Q_OBJECT

private slots:
    // The _data functions run before init: the files are made once for all tests.
    void initTestCase() {
        folder_.emplace();
        std::filesystem::create_directories(*folder_ / "My Tracks");
        folder_->write("My Tracks/a b.dat", std::string("track"));
        folder_->write("plain.dat", std::string("track"));
        savedCurrent_ = QDir::currentPath();
    }
    void cleanupTestCase() { folder_.reset(); }
    void cleanup() { QDir::setCurrent(savedCurrent_); }

    void writesAndReadsNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fileName");
        const QString spaced = qPath(*folder_ / "My Tracks/a b.dat");
        const QString plain = qPath(*folder_ / "plain.dat");
        QTest::newRow("plain") << plain << plain << plain;
        QTest::newRow("blank quoted") << spaced << '"' + spaced + '"' << spaced;
        QTest::newRow("missing file with blank") << "/no where/x.dat"
                                                 << "\"/no where/x.dat\""
                                                 << "/no where/x.dat";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
    }
    void writesAndReadsNames() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, fileName);
        TFilenameEdit edit;
        edit.setFileName(name);
        QCOMPARE(edit.text(), text);
        QCOMPARE(edit.fileName(), fileName);
    }

    void readsTypedTextAsCommandLine_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("fileName");
        const QString spaced = qPath(*folder_ / "My Tracks/a b.dat");
        QTest::newRow("existing name with blank, unquoted") << spaced << spaced;
        QTest::newRow("quoted, then more") << '"' + spaced + "\" second" << spaced;
        QTest::newRow("blanks in front") << "   /x/a.dat  /y"
                                         << "/x/a.dat";
        QTest::newRow("quotes inside an item") << "/x/\"my track\".dat rest"
                                               << "/x/my track.dat";
    }
    void readsTypedTextAsCommandLine() {
        QFETCH(QString, typed);
        QFETCH(QString, fileName);
        TFilenameEdit edit;
        QTest::keyClicks(edit.edit(), typed);
        QCOMPARE(edit.text(), typed);
        QCOMPARE(edit.fileName(), fileName);
    }

    void refusesSixCharacters_data() {
        QTest::addColumn<QString>("name");
        for (const char* name :
             {"/t/a<b.dat", "/t/a>b.dat", "/t/a\"b.dat", "/t/[a].dat", "/t/a]b.dat", "/t/a|b.dat"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }
    void refusesSixCharacters() {
        QFETCH(QString, name);
        TFilenameEdit edit;
        edit.setFileName("/t/before.dat");
        QSignalSpy changes(&edit, &TFilenameEdit::changed);
        try {
            edit.setFileName(name);
            QFAIL("the name was taken");
        } catch (const std::runtime_error& error) {
            QCOMPARE(QString::fromLocal8Bit(error.what()), "Invalid file name - " + name);
        }
        QCOMPARE(edit.text(), QStringLiteral("/t/before.dat"));
        QCOMPARE(changes.count(), 0);
    }

    void raisesChangeOnlyWhenTheTextChanges() {
        TFilenameEdit edit;
        QSignalSpy changes(&edit, &TFilenameEdit::changed);
        edit.clear();
        QCOMPARE(changes.count(), 0);
        edit.setFileName("/t/a.dat");
        edit.setFileName("/t/a.dat");
        QCOMPARE(changes.count(), 1);
        QTest::keyClicks(edit.edit(), "xy");
        QCOMPARE(changes.count(), 3);
        edit.clear();
        edit.clear();
        QCOMPARE(changes.count(), 4);
    }

    void confirmedBrowseRaisesAfterDialogBeforeTheChange() {
        FakeDesktopServices services;
        const QString chosen = qPath(*folder_ / "My Tracks/a b.dat");
        services.openAnswers.push_back(chosen);
        TFilenameEdit edit;
        edit.setFilter("KX7-2000 track files|*.dat|All files (*.*)|*.*");
        edit.setInitialDir("/start/");
        edit.setFileName("/gone/old.dat");
        EventRecorder recorder(edit);

        QTest::mouseClick(edit.browseButton(), Qt::LeftButton);

        QCOMPARE(recorder.events, QStringList({"afterDialog(" + chosen + ", true) text=/gone/old.dat",
                                               "changed text=\"" + chosen + '"'}));
        QCOMPARE(services.opens.size(), 1u);
        QCOMPARE(services.opens[0].title, QStringLiteral("Browse"));
        QCOMPARE(services.opens[0].filter, QStringLiteral("KX7-2000 track files (*.dat);;All files (*.*)"));
        // The old name's folder does not exist, so the dialog opens in the initial folder.
        QCOMPARE(services.opens[0].folder, QStringLiteral("/start/"));
        QCOMPARE(services.opens[0].fileName, QStringLiteral("/gone/old.dat"));
        QCOMPARE(edit.initialDir(), qPath(*folder_ / "My Tracks/"));
        QCOMPARE(QDir::currentPath(), QDir(qPath(*folder_ / "My Tracks")).canonicalPath());
    }

    void browseStartsInTheFolderOfTheCurrentName() {
        FakeDesktopServices services;
        TFilenameEdit edit;
        edit.setInitialDir("/start/");
        edit.setFileName(qPath(*folder_ / "plain.dat"));
        QTest::mouseClick(edit.browseButton(), Qt::LeftButton);
        QCOMPARE(services.opens.at(0).folder, qPath(folder_->path()) + '/');
        QCOMPARE(edit.initialDir(), qPath(folder_->path()) + '/');
    }

    void cancelledBrowseKeepsTheText() {
        FakeDesktopServices services;
        TFilenameEdit edit;
        edit.setFileName("/t/my track.dat");
        EventRecorder recorder(edit);
        const QString current = QDir::currentPath();

        QTest::mouseClick(edit.browseButton(), Qt::LeftButton);

        QCOMPARE(recorder.events,
                 QStringList({"afterDialog(/t/my track.dat, false) text=\"/t/my track.dat\""}));
        QCOMPARE(edit.text(), QStringLiteral("\"/t/my track.dat\""));
        QCOMPARE(QDir::currentPath(), current);
    }

    void afterDialogReceiverDecides_data() {
        QTest::addColumn<std::optional<QString>>("replaceName");
        QTest::addColumn<std::optional<bool>>("replaceAction");
        QTest::addColumn<QString>("text");
        QTest::newRow("name taken as chosen")
            << std::optional<QString>() << std::optional<bool>() << "/t/chosen.dat";
        QTest::newRow("name replaced")
            << std::optional<QString>("/t/other.dat") << std::optional<bool>() << "/t/other.dat";
        QTest::newRow("action withdrawn")
            << std::optional<QString>() << std::optional<bool>(false) << "/t/old.dat";
    }
    void afterDialogReceiverDecides() {
        QFETCH(std::optional<QString>, replaceName);
        QFETCH(std::optional<bool>, replaceAction);
        QFETCH(QString, text);
        FakeDesktopServices services;
        services.openAnswers.push_back("/t/chosen.dat");
        TFilenameEdit edit;
        edit.setFileName("/t/old.dat");
        EventRecorder recorder(edit);
        recorder.replaceName = replaceName;
        recorder.replaceAction = replaceAction;
        QTest::mouseClick(edit.browseButton(), Qt::LeftButton);
        QCOMPARE(edit.text(), text);
    }

    void refusedBrowsedNameIsShownAsAnError() {
        FakeDesktopServices services;
        services.openAnswers.push_back("/t/a|b.dat");
        TFilenameEdit edit;
        edit.setFileName("/t/old.dat");
        QTest::mouseClick(edit.browseButton(), Qt::LeftButton);
        QCOMPARE(edit.text(), QStringLiteral("/t/old.dat"));
        QCOMPARE(services.messages.size(), 1u);
        QCOMPARE(services.messages[0].caption, QStringLiteral("Vantor-2000"));
        QCOMPARE(services.messages[0].icon, QMessageBox::Critical);
        QCOMPARE(services.messages[0].text, QStringLiteral("Invalid file name - /t/a|b.dat."));
    }

private:
    std::optional<TempFolder> folder_;
    QString savedCurrent_;
};

QTEST_MAIN(FilenameEditTest)
#include "filename_edit_test.moc"
