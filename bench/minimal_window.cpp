// The baseline for start-up time and memory: the least a Qt Widgets program does to
// put one window on the screen. bench/startup.sh compares Aromelle with it.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.show();
    return app.exec();
}
