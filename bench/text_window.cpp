// The baseline for start-up time and memory: one window showing one line of text in
// the default font, sized by that text. Like Aromelle, it pays before it can map
// what any window with text pays (fontconfig's set-up, the font database, FreeType
// and HarfBuzz to measure the text, the accessibility bridge a text change wakes).
// No size is given on purpose: a window given one would map before laying out its
// text. bench/startup.sh compares Aromelle with it.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("One line of text"));
    window.setWindowTitle(QStringLiteral("Text baseline"));
    window.show(); // takes the label's size hint: the text is measured first
    return app.exec();
}
