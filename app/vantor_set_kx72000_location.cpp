#include "vantor_set_kx72000_location.hpp"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "box_messages.hpp"
#include "design_layout.hpp"
#include "filename_edit.hpp"
#include "game_executable.hpp"
#include "guarded.hpp"
#include "text_conversion.hpp"
#include "texts.hpp"

namespace text = vantor::text;

TFKX72000Location::TFKX72000Location(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(qText(text::ExeLocationCaption));

    LKX72000EXELocation = new QLabel(qText(text::ExeLocationLabel), this);
    FEKX72000EXE = new TFilenameEdit(this);
    FEKX72000EXE->setFilter(qText(text::ExeFileFilter));
    BOK = new QPushButton(qText(text::OkButton), this);
    BOK->setDefault(true);
    connect(BOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(FEKX72000EXE, &TFilenameEdit::changed, this, &TFKX72000Location::FEKX72000EXEChange);

    DesignLayout design;
    design.add(LKX72000EXELocation, {8, 16, 128, 13});
    design.add(FEKX72000EXE, {144, 12, 233, 21}, DesignLayout::Fit::Height);
    design.add(BOK, {300, 44, 75, 21});
    setFixedSize(design.apply({382, 75}));
    setTabOrder(FEKX72000EXE, BOK);
}

void TFKX72000Location::FEKX72000EXEChange() {
    runGuarded(this, [this] {
        BoxMessages messages(this);
        vantor::CheckExeSize(toPath(FEKX72000EXE->fileName()), messages);
    });
}

void TFKX72000Location::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FEKX72000EXE->edit()->setFocus();
}

void TFKX72000Location::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
