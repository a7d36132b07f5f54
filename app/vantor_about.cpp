#include "vantor_about.hpp"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

#include "design_layout.hpp"
#include "text_conversion.hpp"
#include "texts.hpp"

namespace text = vantor::text;

TFAbout::TFAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(qText(text::AboutCaption));

    Panel1 = new QFrame(this);
    Panel1->setAutoFillBackground(true);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);

    BOK = new QPushButton(qText(text::OkButton), this);
    BOK->setDefault(true);
    connect(BOK, &QPushButton::clicked, this, &QDialog::accept);

    LProgramVersion = new QLabel(qText(text::ProgramVersion), this);
    LProgramVersion->setAlignment(Qt::AlignCenter);

    // Disabled, so that nothing inside takes the focus or any input.
    PAbout = new QFrame(this);
    PAbout->setEnabled(false);
    MCredits = new QTextEdit(PAbout);
    MCredits->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
    MCredits->setPlainText(qText(text::Credits));
    MCredits->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MCredits->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The credits read as normal text on the button face, though their panel is disabled.
    QPalette face = MCredits->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        face.setColor(group, QPalette::Base, face.color(QPalette::Active, QPalette::Button));
        face.setColor(group, QPalette::Text, face.color(QPalette::Active, QPalette::Text));
    }
    MCredits->setPalette(face);

    Label1 = new QLabel(qText(text::AuthorAndDate), this);
    Label1->setAlignment(Qt::AlignCenter);

    DesignLayout design;
    design.add(Panel1, {0, 0, 105, 193}, DesignLayout::Fit::None);
    design.add(LProgramVersion, {112, 12, 170, 13});
    design.add(Label1, {112, 32, 170, 13});
    design.add(PAbout, {112, 60, 170, 101}, DesignLayout::Fit::None);
    design.add(BOK, {160, 168, 75, 21});
    setFixedSize(design.apply({284, 193}));
    MCredits->setGeometry(PAbout->rect());
    BOK->setFocus();
}

void TFAbout::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
