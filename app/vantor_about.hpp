#pragma once

#include <QDialog>

#include "dialog_instance.hpp"

class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;

// The About box: the program's name and version, its authors and the credits.
class TFAbout : public QDialog {
    Q_OBJECT

public:
    explicit TFAbout(QWidget* parent = nullptr);

    QFrame* Panel1;
    QPushButton* BOK;
    QLabel* LProgramVersion;
    QFrame* PAbout;
    QTextEdit* MCredits;
    QLabel* Label1;

protected:
    // Only "OK", Enter and the close box end the box: Escape does nothing.
    void keyPressEvent(QKeyEvent* event) override;
};

inline DialogInstance<TFAbout> FAbout;
