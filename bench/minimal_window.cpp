// For information next to the baseline: the least a Qt Widgets program does to put
// one window on the screen. It never loads a font. bench/startup.sh prints it.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.show();
    return app.exec();
}
