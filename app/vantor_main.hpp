#pragma once

#include <filesystem>
#include <string>

#include <QMainWindow>

#include "file_dialog.hpp"
#include "magic_file.hpp"

class FileDropTarget;
class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QStatusBar;
class TFilenameEdit;

// The lasting state of a window run, shared with the dialogs.
namespace vantor::app {

// The program's folder with a trailing separator.
inline std::string ProgramDir;
// The settings file in use (beside the program, or in the user's configuration folder).
inline std::filesystem::path SettingsFileName;
// The game executable's full path; empty when not set.
inline std::string GameExePath;
// The folder of the last existing track or magic data file named, with a trailing separator.
inline std::string LastDir;
inline vantor::Descriptions Descriptions;
// Whether each picker last named an existing file.
inline bool TrackFileOK = false;
inline bool MagicFileOK = false;

} // namespace vantor::app

// Where the program is installed and where its settings live; tests put both in a folder of
// their own.
struct ProgramPlace {
    std::filesystem::path folder;
    std::filesystem::path settingsFile;

    static ProgramPlace ofThisProgram();
};

// The main window: two file pickers, the commands on them, and the menu of the other commands.
class TFVantor : public QMainWindow {
    Q_OBJECT

public:
    explicit TFVantor(const ProgramPlace& place, QWidget* parent = nullptr);

    QStatusBar* StatusBar;
    QMenuBar* MainMenu1;
    QMenu* File1;
    QAction* Exit1;
    QAction* About1;
    TFilenameEdit* FETrackFile;
    TFilenameEdit* FEMagicFile;
    QLabel* LTrackFile;
    QLabel* LMagicFile;
    QPushButton* BInsert;
    QCheckBox* CBBackup;
    QMenu* Edit1;
    QAction* N1;
    QAction* Savemagicdatafromtrackfile1;
    FileSaveDialog SDMagic;
    FileDropTarget* DFT;
    QPushButton* BEditKX7info;
    QAction* CreateMagicFilefromKX72000EXE1;
    QAction* SetKX72000EXElocation1;
    QAction* N2;
    QAction* Editmagicdata1;

    // The track info dialog comes with that dialog: its handler is connected where it is built.

    void Exit1Click();
    void FormCreate();
    void About1Click();
    void FormClose();
    void FormShow();
    void FETrackFileAfterDialog(QString& name, bool& action);
    void FEMagicFileAfterDialog(QString& name, bool& action);
    void BInsertClick();
    void FEMagicFileChange();
    void FETrackFileChange();
    void Savemagicdatafromtrackfile1Click();
    void DFTDrop(const QStringList& fileNames);
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void BEditKX7infoClick();
    void CreateMagicFilefromKX72000EXE1Click();
    void SetKX72000EXElocation1Click();
    void Editmagicdata1Click();

    // Opens the magic data editor on a track's custom block or on a magic data file; tells why
    // when the file holds none.
    void openMagicEditor(const std::filesystem::path& file);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ReadSettings();
    void WriteSettings();
    void buildControls();
    void buildMenu();
    void fixSizeAndCentre();
    void watchKeys();
    void updateInsertCommand();
    void updateEditMagicCommand();
    void updateStockCommand();

    ProgramPlace place_;
};

inline TFVantor* FVantor = nullptr;
