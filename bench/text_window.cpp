// A second baseline: one window showing one line of text in the default font. It pays
// what any window with text pays before it appears (fontconfig's set-up, the font
// database, FreeType and HarfBuzz, the accessibility bridge a text change wakes),
// which the empty minimal window never does. bench/startup.sh reports it for
// comparison only.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("One line of text"));
    window.setWindowTitle(QStringLiteral("Text baseline"));
    window.show();
    return app.exec();
}
