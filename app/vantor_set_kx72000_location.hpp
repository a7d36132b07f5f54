#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TFilenameEdit;

// Picks the game executable. Only "OK" accepts; the close box rejects.
class TFKX72000Location : public QDialog {
    Q_OBJECT

public:
    explicit TFKX72000Location(QWidget* parent = nullptr);

    QLabel* LKX72000EXELocation;
    TFilenameEdit* FEKX72000EXE;
    QPushButton* BOK;

    void FEKX72000EXEChange();

protected:
    void showEvent(QShowEvent* event) override;
    // Without a Cancel button, Escape does not end the dialog.
    void keyPressEvent(QKeyEvent* event) override;
};

inline TFKX72000Location* FKX72000Location = nullptr;
