// Ewidor: working-time registration. For now the main window shows the version.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <cstring>
#include <iostream>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "Ewidor ver. " << EWIDOR_VERSION << "\n";
            return 0;
        }
    }
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("System ewidencji czasu pracy"));
    auto* label = new QLabel(QStringLiteral("System ewidencji czasu pracy\nver. %1").arg(EWIDOR_VERSION));
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(640, 400);
    window.show();
    return app.exec();
}
