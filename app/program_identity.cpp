#include "program_identity.hpp"

#include <QApplication>
#include <QDirIterator>
#include <QIcon>

#include "deferred_icon_engine.hpp"
#include "text_conversion.hpp"
#include "texts.hpp"
#include "version.hpp"

void setProgramIdentity() {
    QApplication::setApplicationName(qText(vantor::text::ApplicationTitle));
    QApplication::setApplicationVersion(qText(vantor::Version));
    QApplication::setDesktopFileName(QStringLiteral("vantor2000"));
}

void setProgramIcon() {
    QApplication::setWindowIcon(QIcon(new DeferredIconEngine([] {
        QIcon icon;
        QDirIterator files(QStringLiteral(":/icons"), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            icon.addFile(files.next());
        }
        return icon;
    })));
}
