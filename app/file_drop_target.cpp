#include "file_drop_target.hpp"

#include <algorithm>

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {

bool offersFiles(const QDropEvent& event) {
    if ((event.possibleActions() & Qt::CopyAction) == 0 || !event.mimeData()->hasUrls()) {
        return false;
    }
    const QList<QUrl> urls = event.mimeData()->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

} // namespace

void FileDropTarget::registerTarget(QWidget* window) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto& drop = static_cast<QDropEvent&>(*event);
        if (!offersFiles(drop)) {
            drop.ignore();
            return true;
        }
        drop.setDropAction(Qt::CopyAction);
        drop.accept();
        if (event->type() == QEvent::Drop) {
            QStringList names;
            for (const QUrl& url : drop.mimeData()->urls()) {
                if (url.isLocalFile()) {
                    names << QDir::toNativeSeparators(url.toLocalFile());
                }
            }
            emit dropped(names);
        }
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
