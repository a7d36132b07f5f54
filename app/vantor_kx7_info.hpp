#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

#include <QDialog>

#include "dialog_instance.hpp"
#include "info_block.hpp"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The block read at the last showing, kept for its save; InfoRead stays as read, so that the save
// can tell whether the track's block changed in between.
inline vantor::InfoList InfoList;
inline vantor::InfoList InfoRead;
inline std::uint64_t InfoStart = 0;

// The track info dialog: shows the info block of the main window's track file; the laps and the
// two split points can be changed and saved back.
class TFEditKX7info : public QDialog {
    Q_OBJECT

public:
    // trackFile names the track to read and write, asked each time it is needed.
    explicit TFEditKX7info(std::function<std::filesystem::path()> trackFile, QWidget* parent = nullptr);

    QLabel* LName;
    QLabel* LCountry;
    QLabel* LAuthor;
    QLabel* LLaps;
    QLabel* LSplit1;
    QLabel* LSplit2;
    QPushButton* BSave;
    QPushButton* BCancel;
    QFrame* PTop;
    QLineEdit* EName;
    QLineEdit* ECountry;
    QLineEdit* EAuthor;
    QLineEdit* ELaps;
    QLineEdit* ESplit1;
    QLineEdit* ESplit2;

    void FormShow();
    void BSaveClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::function<std::filesystem::path()> trackFile_;
};

inline DialogInstance<TFEditKX7info> FEditKX7info;
