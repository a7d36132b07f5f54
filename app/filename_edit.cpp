#include "filename_edit.hpp"

#include <algorithm>
#include <stdexcept>

#include <QDir>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

#include "desktop_services.hpp"
#include "file_dialog.hpp"
#include "file_name.hpp"
#include "file_system.hpp"
#include "guarded.hpp"
#include "text_conversion.hpp"
#include "texts.hpp"

namespace {

const QString RefusedCharacters = QStringLiteral("<>\"[]|");

bool isValidName(const QString& name) {
    return std::none_of(name.begin(), name.end(), [](QChar c) { return RefusedCharacters.contains(c); });
}

// The first item of a command line: blanks in front are skipped, double quotes group blanks
// into the item and are themselves dropped.
QString firstCommandLineItem(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] <= QLatin1Char(' ')) {
        ++i;
    }
    QString item;
    bool quoted = false;
    for (; i < text.size() && (quoted || text[i] > QLatin1Char(' ')); ++i) {
        if (text[i] == QLatin1Char('"')) {
            quoted = !quoted;
        } else {
            item += text[i];
        }
    }
    return item;
}

} // namespace

TFilenameEdit::TFilenameEdit(QWidget* parent)
    : QWidget(parent)
    , edit_(new QLineEdit(this))
    , button_(new QToolButton(this)) {
    // Files dropped on the edit belong to the window that holds it.
    edit_->setAcceptDrops(false);
    button_->setText(QStringLiteral("..."));
    button_->setFocusPolicy(Qt::NoFocus);
    button_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit_);
    layout->addWidget(button_);
    setFocusProxy(edit_);

    // QLineEdit reports a change only when the new text differs from the old.
    connect(edit_, &QLineEdit::textChanged, this, &TFilenameEdit::changed);
    connect(button_, &QToolButton::clicked, this, [this] { runGuarded(window(), [this] { browse(); }); });
}

QString TFilenameEdit::text() const {
    return edit_->text();
}

QString TFilenameEdit::fileName() const {
    const QString text = edit_->text();
    return vantor::fileExists(toPath(text)) ? text : firstCommandLineItem(text);
}

void TFilenameEdit::setFileName(const QString& name) {
    if (!isValidName(name)) {
        throw std::runtime_error(vantor::text::invalidFileName(localFileName(name)));
    }
    const bool quote = name.contains(QLatin1Char(' ')) && !name.startsWith(QLatin1Char('"'));
    edit_->setText(quote ? QLatin1Char('"') + name + QLatin1Char('"') : name);
}

void TFilenameEdit::clear() {
    edit_->clear();
}

void TFilenameEdit::browse() {
    const QString current = fileName();
    if (isValidName(current)) {
        const QString folder = qFileName(vantor::folderPart(localFileName(current)));
        if (!folder.isEmpty() && QDir(folder).exists()) {
            initialDir_ = folder;
        }
    }
    const auto chosen = DesktopServices::current().openFileName(this, qText(vantor::text::BrowseTitle),
                                                                initialDir_, current, qtFileFilter(filter_));
    if (chosen) {
        enterFolderOf(*chosen);
        initialDir_ = qFileName(vantor::folderPart(localFileName(*chosen)));
    }
    QString name = chosen.value_or(current);
    bool action = chosen.has_value();
    emit afterDialog(name, action);
    if (action) {
        setFileName(name);
    }
}
