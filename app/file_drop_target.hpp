#pragma once

#include <QObject>
#include <QStringList>

class QWidget;

// Takes files dragged from the desktop shell onto a window, its child controls included, with the
// copy effect only, and hands over their full names in the order the shell gives them.
class FileDropTarget : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    void registerTarget(QWidget* window);

signals:
    void dropped(const QStringList& fileNames);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
