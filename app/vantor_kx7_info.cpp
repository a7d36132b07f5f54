#include "vantor_kx7_info.hpp"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "box_messages.hpp"
#include "design_layout.hpp"
#include "guarded.hpp"
#include "text_conversion.hpp"
#include "texts.hpp"
#include "track_info_fields.hpp"
#include "wait_cursor.hpp"

namespace text = vantor::text;

namespace {

std::string textOf(const QLineEdit* edit) {
    return edit->text().toLocal8Bit().toStdString();
}

void setText(QLineEdit* edit, const std::string& value) {
    edit->setText(QString::fromLocal8Bit(value.data(), qsizetype(value.size())));
}

} // namespace

TFEditKX7info::TFEditKX7info(std::function<std::filesystem::path()> trackFile, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
    , trackFile_(std::move(trackFile)) {
    setWindowTitle(qText(text::EditInfoCaption));

    LName = new QLabel(qText(text::InfoNameLabel), this);
    LCountry = new QLabel(qText(text::InfoCountryLabel), this);
    LAuthor = new QLabel(qText(text::InfoAuthorLabel), this);
    LLaps = new QLabel(qText(text::InfoLapsLabel), this);
    LSplit1 = new QLabel(qText(text::InfoSplit1Label), this);
    LSplit2 = new QLabel(qText(text::InfoSplit2Label), this);

    // Neither button answers Enter: a save must be a deliberate click.
    BSave = new QPushButton(qText(text::SaveToTrackButton), this);
    BSave->setAutoDefault(false);
    BCancel = new QPushButton(qText(text::CancelButton), this);
    BCancel->setAutoDefault(false);
    connect(BSave, &QPushButton::clicked, this, &TFEditKX7info::BSaveClick);
    connect(BCancel, &QPushButton::clicked, this, &QDialog::reject);

    // Disabled, so that the name, country and author can neither take the focus nor change.
    PTop = new QFrame(this);
    PTop->setEnabled(false);
    EName = new QLineEdit(PTop);
    ECountry = new QLineEdit(PTop);
    EAuthor = new QLineEdit(PTop);
    for (QLineEdit* edit : {EName, ECountry, EAuthor}) {
        QPalette face = edit->palette();
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            face.setColor(group, QPalette::Base, face.color(QPalette::Active, QPalette::Button));
        }
        edit->setPalette(face);
    }
    ELaps = new QLineEdit(this);
    ESplit1 = new QLineEdit(this);
    ESplit2 = new QLineEdit(this);

    DesignLayout design;
    design.add(LName, {8, 12, 28, 13});
    design.add(LCountry, {8, 40, 36, 13});
    design.add(LAuthor, {8, 68, 31, 13});
    design.add(LLaps, {8, 96, 23, 13});
    design.add(LSplit1, {8, 124, 29, 13});
    design.add(LSplit2, {8, 152, 29, 13});
    design.add(BSave, {244, 148, 100, 21});
    design.add(BCancel, {244, 120, 100, 21});
    design.add(PTop, {56, 4, 289, 81}, DesignLayout::Fit::None);
    design.add(ELaps, {60, 92, 121, 21}, DesignLayout::Fit::Height);
    design.add(ESplit1, {60, 120, 121, 21}, DesignLayout::Fit::Height);
    design.add(ESplit2, {60, 148, 121, 21}, DesignLayout::Fit::Height);
    const QSize area = design.apply({353, 180});
    // The panel's edits sit at their design places inside it, stretched like it; drawn one pixel
    // wider than the panel, they end at its edge instead.
    const double across = double(PTop->width()) / 289;
    const double down = double(PTop->height()) / 81;
    const auto place = [&](QLineEdit* edit, int top) {
        const int left = int(4 * across);
        edit->setGeometry(left, int(top * down), PTop->width() - left, int(21 * down));
    };
    place(EName, 4);
    place(ECountry, 32);
    place(EAuthor, 60);
    setFixedSize(area);

    setTabOrder(BSave, BCancel);
    setTabOrder(BCancel, EName);
    setTabOrder(EName, ECountry);
    setTabOrder(ECountry, EAuthor);
    setTabOrder(EAuthor, ELaps);
    setTabOrder(ELaps, ESplit1);
    setTabOrder(ESplit1, ESplit2);
}

void TFEditKX7info::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        FormShow();
    }
    QDialog::showEvent(event);
}

void TFEditKX7info::FormShow() {
    BSave->setEnabled(true);
    InfoList = vantor::InfoList();
    bool read = false;
    runGuarded(this, [this, &read] {
        // A failed read must leave nothing to save.
        BSave->setEnabled(false);
        read = vantor::ReadKX7Info(trackFile_(), InfoList, InfoStart);
        if (!read) {
            BoxMessages(this).show(vantor::MessageKind::Plain, text::NoInfoBlock);
            return;
        }
        InfoRead = InfoList;
        BSave->setEnabled(true);
    });
    if (!read) {
        return;
    }
    const vantor::TrackInfoFields fields = vantor::fieldsFromInfo(InfoList);
    setText(EName, fields.name);
    setText(ECountry, fields.country);
    setText(EAuthor, fields.author);
    setText(ELaps, fields.laps);
    setText(ESplit1, fields.split1);
    setText(ESplit2, fields.split2);
}

void TFEditKX7info::BSaveClick() {
    runGuarded(this, [this] {
        const WaitCursor wait;
        vantor::applyFields(InfoList, {textOf(EName), textOf(ECountry), textOf(EAuthor), textOf(ELaps),
                                       textOf(ESplit1), textOf(ESplit2)});
        BoxMessages messages(this);
        vantor::WriteKX7Info(trackFile_(), InfoRead, InfoList, messages);
    });
    accept();
}
