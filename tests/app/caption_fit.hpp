#pragma once

#include <QFont>
#include <QStringList>

class QWidget;

// Sets the application's font to the point size for as long as it lives; 0 keeps the platform's.
class ApplicationFontScope {
public:
    explicit ApplicationFontScope(int pointSize);
    ApplicationFontScope(const ApplicationFontScope&) = delete;
    ApplicationFontScope& operator=(const ApplicationFontScope&) = delete;
    ~ApplicationFontScope();

private:
    QFont saved_;
};

// The rows of a caption test's data: the platform's font and a large one, as the point size in the
// column "pointSize" that ApplicationFontScope takes.
void addFontSizeRows();

// The labels and buttons inside the area that are smaller than their caption wants, each described
// with both sizes; empty when every caption fits.
QStringList clippedCaptions(const QWidget& area);
