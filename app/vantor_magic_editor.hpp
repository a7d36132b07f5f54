#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include <QMainWindow>

#include "magic_file.hpp"
#include "magic_source.hpp"
#include "messages.hpp"
#include "track_file.hpp"

class BumpChart;
class BumpTableModel;
class CheckedItemDelegate;
class DifferenceFilter;
class MagicDocument;
class MagicValuesModel;
class QAction;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTableView;

// What the editor takes from the main window.
struct MagicEditorContext {
    vantor::Descriptions descriptions;
    // The game executable, for comparing with its stock data; empty when not set.
    std::string gameExePath;
    // Whether a track is copied to ".bak" before it is saved, asked at each save.
    std::function<vantor::BackupChoice()> backup;
};

// "monza.dat", or "KX7_2000.EXE track 5" for stock data.
QString sourceTitle(const vantor::SourceName& name);

// The magic data editor: the 130 values and the bump table of one source, edited with checks as
// they are typed, compared with a second source and saved back to where they came from.
class TFMagicEditor : public QMainWindow {
    Q_OBJECT

public:
    TFMagicEditor(vantor::MagicSource source, MagicEditorContext context, QWidget* parent = nullptr);
    ~TFMagicEditor() override;

    MagicDocument& document() { return *document_; }
    MagicValuesModel& valuesModel() { return *valuesModel_; }
    BumpTableModel& bumpModel() { return *bumpModel_; }

    QLabel* valuesLabel;
    QTableView* valuesView;
    QLabel* bumpLabel;
    QTableView* bumpView;
    QPushButton* addEntryButton;
    QPushButton* removeEntryButton;
    QPushButton* moveUpButton;
    QPushButton* moveDownButton;
    BumpChart* bumpChart;
    QLabel* findingsLabel;
    QListWidget* findingsList;

    QAction* saveAction;
    QAction* saveAsAction;
    QAction* closeAction;
    QAction* undoAction;
    QAction* redoAction;
    QAction* copyFromOtherAction;
    QAction* compareAction;
    QAction* compareStockAction;
    QAction* differencesOnlyAction;
    QAction* stopComparingAction;

    // True when saved; false when the user cancelled or the save failed (and was reported).
    bool save();
    bool saveAsMagicFile();
    void compareWithFile();
    void compareWithStock();
    void stopComparing();
    void copyFromOther();
    void addEntry();
    void removeEntries();
    void moveEntry(int step);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    const vantor::Descriptions& shownDescriptions() const;
    void buildViews();
    void buildMenu();
    void showFindings();
    void takePendingEdit();
    void updateTitle();
    void updateCommands();
    void selectFinding(QListWidgetItem* item);
    void selectBumpRow(int row);
    int currentBumpRow() const;
    void compareWith(const vantor::SourceName& name);
    bool saveMagicFileInPlace(const vantor::MagicBlock& block, vantor::Messages& messages);

    vantor::MagicSource source_;
    MagicEditorContext context_;
    MagicDocument* document_;
    MagicValuesModel* valuesModel_;
    DifferenceFilter* valuesFilter_;
    BumpTableModel* bumpModel_;
    CheckedItemDelegate* valuesDelegate_;
    CheckedItemDelegate* bumpDelegate_;
};
