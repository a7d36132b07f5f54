// The floor the program's start-up is measured against: a bare Qt Widgets window, shown and
// closed the same way.

#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.show();
    QTimer::singleShot(0, &window, &QWidget::close);
    return application.exec();
}
