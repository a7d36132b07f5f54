#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class QToolButton;

// A one-line edit holding a file name, with a button that browses for one. The windows enable
// their commands from its two events, so when they are raised matters:
// - changed: each time the text really changes, whatever changed it (typing, a browse, a write of
//   the file name, Clear);
// - afterDialog: when the browse dialog closes, confirmed or not, before the text is updated; the
//   receiver may change the name and the action, and the name is written only while the action
//   stays true.
class TFilenameEdit : public QWidget {
    Q_OBJECT

public:
    explicit TFilenameEdit(QWidget* parent = nullptr);

    QString text() const;

    // The text when it names an existing file, otherwise the first item of the text read as a
    // command line, without its double quotes.
    QString fileName() const;

    // Refuses a name holding one of < > " [ ] | with "Invalid file name - %s" (std::runtime_error),
    // leaving the text as it was. A name with a blank is shown in double quotes.
    void setFileName(const QString& name);

    void clear();

    QString initialDir() const { return initialDir_; }
    void setInitialDir(const QString& folder) { initialDir_ = folder; }

    // Description and pattern pairs, "Tracks|*.dat|All files (*.*)|*.*".
    QString filter() const { return filter_; }
    void setFilter(const QString& filter) { filter_ = filter; }

    QLineEdit* edit() const { return edit_; }
    QToolButton* browseButton() const { return button_; }

signals:
    void changed();
    void afterDialog(QString& name, bool& action);

private:
    void browse();

    QLineEdit* edit_;
    QToolButton* button_;
    QString initialDir_;
    QString filter_;
};
