// Hostile input: every character code up to 0x2FF and a sample beyond typed into
// the name and address boxes, very long pasted names, and readings made with them.
// Each ends in a clear message or a quiet acceptance, never a crash, and nothing
// already typed is lost.
#include "frm_display.h"
#include "frm_exit_screen.h"
#include "frm_main.h"
#include "support.h"
#include "windows.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QUrlQuery>
#include <QtTest>

using namespace aromelle;
using testing_support::Harness;

namespace {

void typeCharacter(QWidget *box, char32_t code) {
    // Built by hand: fromUcs4 would drop U+FEFF as a byte-order mark.
    const QString text = code < 0x10000 ? QString(QChar(char16_t(code)))
                                        : QString(QChar(QChar::highSurrogate(code))) +
                                              QChar(QChar::lowSurrogate(code));
    const int key = code == 8 ? Qt::Key_Backspace : code == 13 ? Qt::Key_Return : 0;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(box, &press);
}

bool isLetter(char32_t code) {
    return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
}

} // namespace

class HostileInputTest : public QObject {
    Q_OBJECT

    void addCodes() {
        QTest::addColumn<uint>("code");
        for (char32_t code = 0; code <= 0x2FF; ++code)
            QTest::addRow("U+%04X", unsigned(code)) << uint(code);
        for (char32_t code :
             {0x05D0u, 0x200Eu, 0x200Fu, 0x202Eu, 0xFEFFu, 0xFFFDu, 0x1F600u, 0x1F9EAu, 0x10FFFDu})
            QTest::addRow("U+%04X", unsigned(code)) << uint(code);
    }

private slots:
    void nameBoxes_data() { addCodes(); }

    void nameBoxes() {
        QFETCH(uint, code);
        Harness h;
        FrmMain &input = Windows::instance().main();
        for (const char *name : {"txtFirstName", "txtMiddleName", "txtLastName"}) {
            h.clear();
            auto *box = input.findChild<QLineEdit *>(name);
            box->setText(QStringLiteral("AB"));
            box->setCursorPosition(2);
            typeCharacter(box, char32_t(code));
            const bool passes = isLetter(code) || code == 8 || code == 13 || code == 32;
            QCOMPARE(h.messages.size(), passes ? 0 : 1);
            if (!passes) {
                QCOMPARE(h.messages.first().text, QStringLiteral("Please Enter Only Alphabet"));
                QCOMPARE(box->text(), QStringLiteral("AB"));
            } else if (isLetter(code)) {
                QCOMPARE(box->text(),
                         QStringLiteral("AB") + QChar(QChar(char16_t(code)).toUpper()));
            } else if (code == 8) {
                QCOMPARE(box->text(), QStringLiteral("A"));
            } else if (code == 32) {
                QCOMPARE(box->text(), QStringLiteral("AB "));
            } else {
                QCOMPARE(box->text(), QStringLiteral("AB"));
            }
        }
    }

    void addressBoxes_data() { addCodes(); }

    void addressBoxes() {
        QFETCH(uint, code);
        Harness h;
        FrmExitScreen &screen = Windows::instance().exitScreen();
        for (const char *name : {"txtEmail", "txtFriendEmail"}) {
            h.clear();
            auto *box = screen.findChild<QLineEdit *>(name);
            box->setText(QStringLiteral("a@b.c"));
            typeCharacter(box, char32_t(code));
            if (code == 32) {
                QCOMPARE(h.messageTexts(), QStringList{"Email Address Cannot Contain Space"});
                QCOMPARE(box->text(), QStringLiteral("a@b.c"));
            } else if (code == 8) {
                QCOMPARE(box->text(), QStringLiteral("a@b.")); // an ordinary backspace
            } else {
                QVERIFY(h.messages.isEmpty());
                QVERIFY2(box->text().startsWith(QLatin1String("a@b.c")), qPrintable(box->text()));
            }
        }
    }

    void hugePastedNamesAreKeptAndStillGiveAReading() {
        Harness h;
        Windows &windows = Windows::instance();
        FrmMain &input = windows.main();
        windows.show(input);
        const QString huge = QString(100000, QLatin1Char('x')) + QString::fromUtf8("\u202e") +
                             QChar(0) + QString::fromUtf8("\U0001F600");
        for (const char *name : {"txtFirstName", "txtMiddleName", "txtLastName"}) {
            auto *box = input.findChild<QLineEdit *>(name);
            QApplication::clipboard()->setText(huge);
            box->setFocus();
            box->paste();
            QCOMPARE(box->text().size(), huge.size());
        }
        input.cmdNext_Click();
        QVERIFY(h.messages.isEmpty());
        QVERIFY(windows.isDisplayLoaded());
        QCOMPARE(windows.display().lblSunSign->text(), QStringLiteral("Capricorn"));
        windows.display().cmdBack_Click();
        QCOMPARE(input.findChild<QLineEdit *>("txtFirstName")->text(), huge);
    }

    void hugePastedReferEntriesGoIntoOneAddress() {
        Harness h;
        FrmExitScreen &screen = Windows::instance().exitScreen();
        const QString huge = QString(100000, QLatin1Char('&')) + QStringLiteral("=#%");
        screen.findChild<QLineEdit *>("txtName")->setText(huge);
        screen.findChild<QLineEdit *>("txtEmail")->setText(QStringLiteral("a@b.c"));
        screen.findChild<QLineEdit *>("txtFriendName")->setText(huge);
        screen.findChild<QLineEdit *>("txtFriendEmail")->setText(QStringLiteral("d@e.f"));
        screen.cmdSubmit_Click();
        QVERIFY(h.messages.isEmpty());
        QCOMPARE(h.openedPages.size(), 1);
        const QUrlQuery query(QUrl::fromEncoded(h.openedPages.first().toUtf8()));
        QCOMPARE(query.queryItems(QUrl::FullyDecoded).size(), 6);
        QCOMPARE(query.queryItemValue(QStringLiteral("taf1"), QUrl::FullyDecoded), huge);
    }
};

QTEST_MAIN(HostileInputTest)
#include "hostile_input_test.moc"
