#pragma once

#include <QProxyStyle>

// The application's style as it is, except that the icon of a menu bar's overflow button is read
// only when the button is drawn. Every menu bar makes that button, hidden until its menus no longer
// fit; reading its picture at once would load every image format plugin into the start-up, though
// the main window's menu always fits.
class DeferredOverflowIconStyle : public QProxyStyle {
public:
    // Without a style, the one the application would have chosen.
    explicit DeferredOverflowIconStyle(QStyle* style = nullptr);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override;
};
