#include "vantor_main.hpp"

#include <optional>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>

#include "box_messages.hpp"
#include "desktop_services.hpp"
#include "design_layout.hpp"
#include "file_drop_target.hpp"
#include "file_name.hpp"
#include "file_system.hpp"
#include "filename_edit.hpp"
#include "game_executable.hpp"
#include "guarded.hpp"
#include "integer_text.hpp"
#include "magic_source.hpp"
#include "output_check.hpp"
#include "platform.hpp"
#include "settings_file.hpp"
#include "text_conversion.hpp"
#include "texts.hpp"
#include "track_file.hpp"
#include "vantor_about.hpp"
#include "vantor_kx7_info.hpp"
#include "vantor_magic_editor.hpp"
#include "vantor_set_kx72000_location.hpp"
#include "wait_cursor.hpp"

using namespace vantor::app;
namespace text = vantor::text;

namespace {

// Where the file system ignores case, folder names are kept in lower case.
std::string caseFolded(std::string folder) {
    if (vantor::platform::fileNamesIgnoreCase()) {
        for (char& c : folder) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
        }
    }
    return folder;
}

std::string withTrailingSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

// Tests a name picked, typed or dropped: true when it names an existing file, whose folder then
// becomes the last folder used.
bool pickedExistingFile(const QString& name) {
    const std::string local = localFileName(name);
    if (!vantor::fileExists(local)) {
        return false;
    }
    LastDir = vantor::folderPart(local);
    return true;
}

// The dialog's file name, or empty when no such file exists.
std::string chosenExecutable(const TFKX72000Location& dialog) {
    std::string name = localFileName(dialog.FEKX72000EXE->fileName());
    if (!vantor::fileExists(name)) {
        name.clear();
    }
    return name;
}

} // namespace

ProgramPlace ProgramPlace::ofThisProgram() {
    const auto folder = toPath(QCoreApplication::applicationDirPath());
    return {folder, vantor::settingsFilePath(folder)};
}

TFVantor::TFVantor(const ProgramPlace& place, QWidget* parent)
    : QMainWindow(parent)
    , SDMagic(qText(text::SaveMagicTitle), qText(text::MagicFileFilter), qText(text::MagicFileExtension))
    , DFT(new FileDropTarget(this))
    , place_(place) {
    buildControls();
    buildMenu();
    fixSizeAndCentre();
    watchKeys();
    FormCreate();
}

void TFVantor::buildControls() {
    setWindowTitle(qText(text::MainWindowCaption));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto* client = new QWidget(this);
    LTrackFile = new QLabel(qText(text::TrackFileLabel), client);
    FETrackFile = new TFilenameEdit(client);
    FETrackFile->setFilter(qText(text::TrackFileFilter));
    LMagicFile = new QLabel(qText(text::MagicFileLabel), client);
    FEMagicFile = new TFilenameEdit(client);
    FEMagicFile->setFilter(qText(text::MagicFileFilter));
    BInsert = new QPushButton(qText(text::InsertButton), client);
    BInsert->setEnabled(false);
    CBBackup = new QCheckBox(qText(text::BackupCheckBox), client);
    BEditKX7info = new QPushButton(qText(text::EditInfoButton), client);
    BEditKX7info->setEnabled(false);

    DesignLayout design;
    design.add(LTrackFile, {8, 12, 73, 13});
    design.add(FETrackFile, {96, 8, 357, 21}, DesignLayout::Fit::Height);
    design.add(LMagicFile, {8, 44, 78, 13});
    design.add(FEMagicFile, {96, 40, 357, 21}, DesignLayout::Fit::Height);
    design.add(BInsert, {352, 76, 100, 21});
    design.add(CBBackup, {8, 80, 145, 17});
    design.add(BEditKX7info, {244, 76, 100, 21});
    client->setFixedSize(design.apply({458, 105}));
    setCentralWidget(client);

    setTabOrder(FETrackFile, FEMagicFile);
    setTabOrder(FEMagicFile, BInsert);
    setTabOrder(BInsert, CBBackup);
    setTabOrder(CBBackup, BEditKX7info);
    FETrackFile->setFocus();

    StatusBar = new QStatusBar(this);
    StatusBar->setSizeGripEnabled(false);
    setStatusBar(StatusBar);

    connect(FETrackFile, &TFilenameEdit::changed, this, &TFVantor::FETrackFileChange);
    connect(FEMagicFile, &TFilenameEdit::changed, this, &TFVantor::FEMagicFileChange);
    connect(FETrackFile, &TFilenameEdit::afterDialog, this, &TFVantor::FETrackFileAfterDialog);
    connect(FEMagicFile, &TFilenameEdit::afterDialog, this, &TFVantor::FEMagicFileAfterDialog);
    connect(BInsert, &QPushButton::clicked, this, &TFVantor::BInsertClick);
    connect(DFT, &FileDropTarget::dropped, this, &TFVantor::DFTDrop);
    connect(BEditKX7info, &QPushButton::clicked, this, &TFVantor::BEditKX7infoClick);
}

void TFVantor::buildMenu() {
    MainMenu1 = menuBar();
    File1 = MainMenu1->addMenu(qText(text::FileMenu));
    Exit1 = File1->addAction(qText(text::ExitItem));
    Edit1 = MainMenu1->addMenu(qText(text::EditMenu));
    CreateMagicFilefromKX72000EXE1 = Edit1->addAction(qText(text::CreateFromExeItem));
    Savemagicdatafromtrackfile1 = Edit1->addAction(qText(text::ExtractItem));
    N1 = Edit1->addSeparator();
    SetKX72000EXElocation1 = Edit1->addAction(qText(text::SetExeLocationItem));
    N2 = Edit1->addSeparator();
    Editmagicdata1 = Edit1->addAction(qText(text::EditMagicDataItem));
    // A command on the menu bar itself, without a submenu.
    About1 = MainMenu1->addAction(qText(text::AboutItem));

    connect(Exit1, &QAction::triggered, this, &TFVantor::Exit1Click);
    connect(Savemagicdatafromtrackfile1, &QAction::triggered, this,
            &TFVantor::Savemagicdatafromtrackfile1Click);
    connect(About1, &QAction::triggered, this, &TFVantor::About1Click);
    connect(CreateMagicFilefromKX72000EXE1, &QAction::triggered, this,
            &TFVantor::CreateMagicFilefromKX72000EXE1Click);
    connect(SetKX72000EXElocation1, &QAction::triggered, this, &TFVantor::SetKX72000EXElocation1Click);
    connect(Editmagicdata1, &QAction::triggered, this, &TFVantor::Editmagicdata1Click);
}

void TFVantor::fixSizeAndCentre() {
    adjustSize();
    setFixedSize(size());
    move(screen()->availableGeometry().center() - rect().center());
}

void TFVantor::watchKeys() {
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

void TFVantor::FormCreate() {
    DFT->registerTarget(this);
    TrackFileOK = false;
    MagicFileOK = false;
    ProgramDir = caseFolded(withTrailingSeparator(place_.folder.string()));
    ReadSettings();
    if (LastDir.empty()) {
        LastDir = ProgramDir;
    }
    FETrackFile->setInitialDir(qFileName(LastDir));
    FEMagicFile->setInitialDir(qFileName(LastDir));
    LastDir = caseFolded(LastDir);
    Savemagicdatafromtrackfile1->setEnabled(false);
    Editmagicdata1->setEnabled(false);
}

void TFVantor::ReadSettings() {
    SettingsFileName = place_.settingsFile;
    vantor::Settings settings = vantor::readSettings(SettingsFileName);
    GameExePath = std::move(settings.gameExePath);
    LastDir = std::move(settings.lastDir);
    Descriptions = std::move(settings.descriptions);
}

void TFVantor::WriteSettings() {
    vantor::writeSettings(SettingsFileName, GameExePath, LastDir);
}

void TFVantor::FormShow() {
    // A window built without the location dialog has no executable to settle.
    if (FKX72000Location == nullptr) {
        return;
    }
    runGuarded(this, [this] {
        TFKX72000Location& dialog = *FKX72000Location;
        if (GameExePath.empty()) {
            // However the dialog was closed, a name of an existing file is taken.
            dialog.exec();
            GameExePath = chosenExecutable(dialog);
        } else {
            dialog.FEKX72000EXE->setInitialDir(qFileName(vantor::folderPart(GameExePath)));
            // The size check runs here rather than from the change event, so that its failure
            // ends this start-up step: the warning and the menu item are then left alone.
            {
                const QSignalBlocker quiet(dialog.FEKX72000EXE);
                dialog.FEKX72000EXE->setFileName(qFileName(GameExePath));
            }
            BoxMessages messages(&dialog);
            vantor::CheckExeSize(toPath(dialog.FEKX72000EXE->fileName()), messages);
        }
        if (GameExePath.empty()) {
            BoxMessages(this).show(vantor::MessageKind::Warning, text::ExeLocationNotSet);
        }
        updateStockCommand();
    });
}

void TFVantor::SetKX72000EXElocation1Click() {
    if (FKX72000Location == nullptr) {
        return;
    }
    runGuarded(this, [this] {
        if (FKX72000Location->exec() == QDialog::Accepted) {
            GameExePath = chosenExecutable(*FKX72000Location);
        }
        updateStockCommand();
    });
}

void TFVantor::updateStockCommand() {
    CreateMagicFilefromKX72000EXE1->setEnabled(vantor::fileExists(GameExePath));
}

void TFVantor::CreateMagicFilefromKX72000EXE1Click() {
    runGuarded(this, [this] {
        // Cancel does nothing: taking it for track 1 would overwrite that file unasked.
        const auto reply = DesktopServices::current().inputText(this, qText(text::StockTrackCaption),
                                                                qText(text::StockTrackPrompt),
                                                                qText(text::StockTrackDefault));
        if (!reply) {
            return;
        }
        const auto track = vantor::parseInteger(localFileName(*reply));
        if (!track || *track < 1 || *track > vantor::ExeTrackCount) {
            return;
        }
        const vantor::MagicBlock block = vantor::ReadStockBlock(GameExePath, *track);
        const std::filesystem::path output = vantor::stockFileName(*track);
        BoxMessages messages(this);
        if (vantor::outputIsInput(output, GameExePath, messages)) {
            return;
        }
        vantor::WriteMagicFile(block, Descriptions, output);
    });
}

void TFVantor::FormClose() {
    // A settings file that cannot be written is reported, and the window closes all the same.
    runGuarded(this, [this] { WriteSettings(); });
}

void TFVantor::Exit1Click() {
    close();
}

void TFVantor::About1Click() {
    if (FAbout != nullptr) {
        FAbout->exec();
    }
}

// The dialog saves by itself; how it ended says nothing here.
void TFVantor::BEditKX7infoClick() {
    if (FEditKX7info != nullptr) {
        FEditKX7info->exec();
    }
}

// The track when it holds custom data, else the magic data file when one is named.
void TFVantor::Editmagicdata1Click() {
    runGuarded(this, [this] {
        const auto track = toPath(FETrackFile->fileName());
        const auto magic = toPath(FEMagicFile->fileName());
        if (vantor::fileExists(track) && vantor::holdsCustomMagicData(vantor::readFile(track))) {
            openMagicEditor(track);
        } else if (vantor::fileExists(magic)) {
            openMagicEditor(magic);
        } else {
            BoxMessages(this).show(vantor::MessageKind::Error, text::NoCustomMagicData);
        }
    });
}

void TFVantor::openMagicEditor(const std::filesystem::path& file) {
    runGuarded(this, [this, &file] {
        const vantor::SourceName name{vantor::isMagicFileName(file) ? vantor::SourceKind::MagicFile
                                                                    : vantor::SourceKind::TrackFile,
                                      file, 0, file.string()};
        vantor::SourceLoad load = vantor::loadSource(name);
        if (!load.source) {
            BoxMessages(this).show(vantor::MessageKind::Error, load.refusal);
            return;
        }
        MagicEditorContext context{Descriptions, GameExePath, [this] {
                                       return CBBackup->isChecked() ? vantor::BackupChoice::CopyToBak
                                                                    : vantor::BackupChoice::None;
                                   }};
        auto* editor = new TFMagicEditor(std::move(*load.source), std::move(context), this);
        editor->show();
    });
}

void TFVantor::updateInsertCommand() {
    BInsert->setEnabled(TrackFileOK && MagicFileOK);
}

void TFVantor::updateEditMagicCommand() {
    Editmagicdata1->setEnabled(TrackFileOK || MagicFileOK);
}

void TFVantor::FETrackFileChange() {
    runGuarded(this, [this] {
        TrackFileOK = pickedExistingFile(FETrackFile->fileName());
        updateInsertCommand();
        updateEditMagicCommand();
        BEditKX7info->setEnabled(TrackFileOK);
        Savemagicdatafromtrackfile1->setEnabled(TrackFileOK);
    });
}

void TFVantor::FEMagicFileChange() {
    runGuarded(this, [this] {
        MagicFileOK = pickedExistingFile(FEMagicFile->fileName());
        updateInsertCommand();
        updateEditMagicCommand();
    });
}

void TFVantor::FETrackFileAfterDialog(QString& name, bool& /*action*/) {
    runGuarded(this, [this, &name] {
        TrackFileOK = pickedExistingFile(name);
        updateInsertCommand();
        updateEditMagicCommand();
    });
}

void TFVantor::FEMagicFileAfterDialog(QString& name, bool& /*action*/) {
    runGuarded(this, [this, &name] {
        MagicFileOK = pickedExistingFile(name);
        updateInsertCommand();
        updateEditMagicCommand();
    });
}

void TFVantor::BInsertClick() {
    runGuarded(this, [this] {
        const auto track = toPath(FETrackFile->fileName());
        const auto magic = toPath(FEMagicFile->fileName());
        BoxMessages messages(this);
        // "File not found!" is shown under the normal cursor.
        std::optional<WaitCursor> wait;
        if (vantor::fileExists(magic) && vantor::fileExists(track)) {
            wait.emplace();
        }
        const auto backup =
            CBBackup->isChecked() ? vantor::BackupChoice::CopyToBak : vantor::BackupChoice::None;
        // A failed backup is a failed insertion: "Done." would tell the user a copy exists.
        const vantor::InsertResult result = vantor::InsertMagicFile(magic, track, backup, messages);
        if (result != vantor::InsertResult::FileNotFound && result != vantor::InsertResult::BackupFailed) {
            StatusBar->showMessage(qText(text::Done));
        }
    });
}

void TFVantor::Savemagicdatafromtrackfile1Click() {
    runGuarded(this, [this] {
        const auto track = toPath(FETrackFile->fileName());
        if (!vantor::fileExists(track)) {
            return;
        }
        if (!vantor::trackHoldsCustomMagicData(track)) {
            BoxMessages(this).show(vantor::MessageKind::Error, text::NoCustomMagicData);
            return;
        }
        const auto target = SDMagic.execute(this);
        if (!target) {
            return;
        }
        BoxMessages messages(this);
        if (vantor::outputIsInput(toPath(*target), track, messages)) {
            return;
        }
        vantor::WriteMagicFile(vantor::readCustomMagicBlock(track), Descriptions, toPath(*target));
    });
}

void TFVantor::DFTDrop(const QStringList& fileNames) {
    runGuarded(this, [this, &fileNames] {
        bool trackTaken = false;
        bool magicTaken = false;
        for (const QString& name : fileNames) {
            const std::string extension = vantor::upperExtension(localFileName(name));
            if (!trackTaken && extension == ".DAT") {
                FETrackFile->setFileName(name);
                trackTaken = true;
            }
            if (!magicTaken && extension == ".MD2") {
                FEMagicFile->setFileName(name);
                magicTaken = true;
            }
        }
    });
}

void TFVantor::FormKeyDown(int key, Qt::KeyboardModifiers /*modifiers*/) {
    runGuarded(this, [this, key] {
        if (key == Qt::Key_F12) {
            FETrackFile->clear();
            FEMagicFile->clear();
        }
    });
}

bool TFVantor::event(QEvent* event) {
    // The status bar holds one text, set by the program alone: menu items hovered must not
    // replace it with their (empty) status tips.
    if (event->type() == QEvent::StatusTip) {
        return true;
    }
    return QMainWindow::event(event);
}

bool TFVantor::eventFilter(QObject* watched, QEvent* event) {
    // The window sees every key press before the control with the focus; a key the control passes
    // on to its parents is seen only once.
    if (event->type() == QEvent::KeyPress) {
        QWidget* focus = QApplication::focusWidget();
        const bool firstReceiver =
            watched == focus || (watched == this && (focus == nullptr || !isAncestorOf(focus)));
        if (firstReceiver) {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            FormKeyDown(key.key(), key.modifiers());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFVantor::showEvent(QShowEvent* event) {
    // Restoring a minimised window is no new showing.
    if (!event->spontaneous()) {
        FormShow();
    }
    QMainWindow::showEvent(event);
}

void TFVantor::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}
