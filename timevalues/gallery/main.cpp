// ewidor-gallery: every hours-and-minutes control, the month calendar and the date
// pickers in one window, on a scratch table that is removed on exit.
#include "GalleryWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    tv::GalleryWindow window;
    window.show();
    return app.exec();
}
