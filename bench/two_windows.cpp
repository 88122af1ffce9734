// The baseline for a reading: the least a Qt Widgets program does for the same
// steps. A form with a first name, a last name and a button; the button swaps the
// form for a window of two tabs with labels and three read-only multi-line text
// boxes, made then. Both windows are titled "Reading baseline", so map_timer
// follows them as it follows Aromelle's input and profile windows. bench/startup.sh
// types a name and presses the button with xdotool, and times the keys to the
// second window's first drawing.
#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

namespace {

const QString kTitle = QStringLiteral("Reading baseline");

QPlainTextEdit *readOnlyText(const QString &text) {
    auto *box = new QPlainTextEdit(text);
    box->setReadOnly(true);
    return box;
}

QWidget *page(const QString &name, int textBoxes) {
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    for (const char *caption : {"Sign:", "Element:", "Number:", "Day:"})
        form->addRow(QString::fromLatin1(caption), new QLabel(name));
    for (int i = 0; i < textBoxes; ++i)
        form->addRow(
            readOnlyText(QStringLiteral("A few lines of text for %1.\nAnd one more.").arg(name)));
    return page;
}

void showReading(QWidget &form, const QString &name) {
    auto *reading = new QTabWidget;
    reading->setAttribute(Qt::WA_DeleteOnClose);
    reading->setWindowTitle(kTitle);
    reading->addTab(page(name, 2), QStringLiteral("Profile"));
    reading->addTab(page(name, 1), QStringLiteral("Perfume"));
    form.hide();
    reading->show();
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget form;
    form.setWindowTitle(kTitle);
    auto *fields = new QFormLayout(&form);
    auto *first = new QLineEdit;
    auto *last = new QLineEdit;
    auto *read = new QPushButton(QStringLiteral("Read"));
    fields->addRow(QStringLiteral("First name:"), first);
    fields->addRow(QStringLiteral("Last name:"), last);
    fields->addRow(read);
    QObject::connect(read, &QPushButton::clicked, &form,
                     [&] { showReading(form, first->text() + u' ' + last->text()); });
    form.show();
    return app.exec();
}
