#include "deferred_overflow_icon_style.hpp"

#include <QPointer>
#include <QWidget>

#include "deferred_icon_engine.hpp"

DeferredOverflowIconStyle::DeferredOverflowIconStyle(QStyle* style)
    : QProxyStyle(style) {}

QIcon DeferredOverflowIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                              const QWidget* widget) const {
    // The menu bar asks without an option: nothing but the widget has to outlive the question.
    if (icon != SP_ToolBarHorizontalExtensionButton || option != nullptr) {
        return QProxyStyle::standardIcon(icon, option, widget);
    }
    return QIcon(new DeferredIconEngine(
        [style = QPointer<QStyle>(baseStyle()), widget = QPointer<const QWidget>(widget), icon] {
            return style ? style->standardIcon(icon, nullptr, widget) : QIcon();
        }));
}
