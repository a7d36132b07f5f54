#include "caption_fit.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>

ApplicationFontScope::ApplicationFontScope(int pointSize)
    : saved_(QApplication::font()) {
    if (pointSize > 0) {
        QFont font = saved_;
        font.setPointSize(pointSize);
        QApplication::setFont(font);
    }
}

ApplicationFontScope::~ApplicationFontScope() {
    QApplication::setFont(saved_);
}

void addFontSizeRows() {
    QTest::addColumn<int>("pointSize");
    QTest::newRow("platform font") << 0;
    QTest::newRow("large font") << 16;
}

QStringList clippedCaptions(const QWidget& area) {
    QStringList clipped;
    for (const QWidget* control : area.findChildren<QWidget*>()) {
        if (qobject_cast<const QLabel*>(control) == nullptr &&
            qobject_cast<const QAbstractButton*>(control) == nullptr) {
            continue;
        }
        const QSize wanted = control->sizeHint();
        if (wanted.width() > control->width() || wanted.height() > control->height()) {
            clipped << QStringLiteral("%1 \"%2\" wants %3x%4, has %5x%6")
                           .arg(control->metaObject()->className(), control->property("text").toString())
                           .arg(wanted.width())
                           .arg(wanted.height())
                           .arg(control->width())
                           .arg(control->height());
        }
    }
    return clipped;
}
