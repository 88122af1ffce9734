// A reading end to end: the window swap, the twelve values of every sign, the
// fresh profile window each time, Back, and the trait boxes' clipboard clearing.
#include "frm_display.h"
#include "frm_exit_screen.h"
#include "frm_main.h"
#include "profiles.h"
#include "sign_pictures.h"
#include "support.h"
#include "windows.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest/qtestspontaneevent.h>
#include <QtTest>

#include <algorithm>
#include <optional>
#include <utility>

using namespace aromelle;
using testing_support::child;
using testing_support::Harness;

namespace {

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// Counts the Show events of every widget with one objectName, from before any exists.
class ShowCounter : public QObject {
public:
    explicit ShowCounter(QString name) : m_name(std::move(name)) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    int shows = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show && watched->objectName() == m_name)
            ++shows;
        return false;
    }

private:
    QString m_name;
};

// A date inside each sign, as (month, day).
struct SignDate {
    SunSign sign;
    int month;
    int day;
};
constexpr SignDate kSignDates[] = {
    {SunSign::Aries, 4, 1},     {SunSign::Taurus, 5, 5},    {SunSign::Gemini, 6, 6},
    {SunSign::Cancer, 7, 3},    {SunSign::Leo, 8, 1},       {SunSign::Virgo, 9, 9},
    {SunSign::Libra, 10, 10},   {SunSign::Scorpio, 11, 11}, {SunSign::Sagittarius, 12, 12},
    {SunSign::Capricorn, 1, 1}, {SunSign::Aquarius, 2, 2},  {SunSign::Pisces, 3, 3},
};

} // namespace

class ReadingTest : public QObject {
    Q_OBJECT

    std::optional<Harness> m_harness; // one for each test, made by init()

    FrmMain &input() { return m_harness->windows().main(); }
    void enter(const QString &first, const QString &last, int month, int day, int year = 1980) {
        testing_support::setEntries(input(), first, last, month, day, year);
    }
    FrmDisplay &read() {
        m_harness->windows().show(input());
        QTest::mouseClick(child<QPushButton>(input(), "cmdNext"), Qt::LeftButton);
        if (!Harness::loaded("frmDisplay"))
            qFatal("no reading was made");
        return m_harness->windows().display();
    }
    static QImage shown(const QLabel *label) { return label->pixmap().toImage(); }

    void compareWithProfile(FrmDisplay &d, const SignProfile &p) {
        QCOMPARE(child<QLabel>(d, "lblSunSign")->text(), q(displayName(p.sign)));
        QCOMPARE(child<QLabel>(d, "lblSunSignElement")->text(), q(p.element));
        QCOMPARE(child<QLabel>(d, "lblSunSignNumber")->text(), q(p.lucky_number));
        QCOMPARE(child<QLabel>(d, "lblSunSignDay")->text(), q(p.lucky_day));
        QCOMPARE(child<QLabel>(d, "lblSunSignCompatibility")->text(), q(p.compatibility));
        QCOMPARE(child<QLabel>(d, "lblSunSignBirthStone")->text(), q(p.birthstone));
        QCOMPARE(child<QPlainTextEdit>(d, "txtSunSignPositiveTraits")->toPlainText(),
                 q(p.positive_traits));
        QCOMPARE(child<QPlainTextEdit>(d, "txtSunSignNegativeTraits")->toPlainText(),
                 q(p.negative_traits));
        QCOMPARE(shown(child<QLabel>(d, "picSunSign")),
                 IMGSunsignList(p.picture_position).toImage());
        QCOMPARE(child<QLabel>(d, "lblFragrances")->text(), q(p.fragrances));
        QCOMPARE(child<QLabel>(d, "lblPerfume")->text(), q(p.perfumes));
        QCOMPARE(child<QPlainTextEdit>(d, "txtAromelle")->toPlainText(), q(p.perfume_preferences));
    }

private slots:
    void init() { m_harness.emplace(); }
    void cleanup() { m_harness.reset(); }

    void everySignGivesItsWholeReading_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < kSignCount; ++i)
            QTest::newRow(displayName(kSignDates[i].sign).data()) << i;
    }

    void everySignGivesItsWholeReading() {
        QFETCH(int, index);
        const SignDate date = kSignDates[index];
        Harness &h = *m_harness;
        enter("ANN", "LEE", date.month, date.day);
        FrmDisplay &d = read();
        compareWithProfile(d, profileOf(date.sign));
        // The picture, a stop of the Tab key, tells a screen reader whose it is.
        QCOMPARE(child<QLabel>(d, "picSunSign")->accessibleName(),
                 QString::fromLatin1(displayName(date.sign).data()));
        QVERIFY(h.messages.isEmpty());
        QVERIFY(d.isVisible());
        QVERIFY(!input().isVisible());
        QVERIFY(Harness::loaded("frmExitScreen"));
        QVERIFY(!h.windows().exitScreen().isVisible());
        QCOMPARE(child<QTabWidget>(d, "SSTab1")->currentIndex(), 1);
        QCOMPARE(child<QTabWidget>(d, "SSTab1")->tabText(1), QStringLiteral("Aromelle Profile"));
        QCOMPARE(d.focusWidget()->objectName(), QStringLiteral("cmdBack"));
    }

    void picturesArePlacedByPosition() {
        // Each position shows its own sign's picture file, 200 pixels square.
        for (const SunSignInfo &info : kSunSigns) {
            QPixmap file;
            QVERIFY(file.load(QStringLiteral(AROMELLE_ASSETS_DIR "/signs/") + q(info.pictureKey)));
            QCOMPARE(IMGSunsignList(ordinal(info.sign)).toImage(), file.toImage());
            QCOMPARE(IMGSunsignList(ordinal(info.sign)).size(), QSize(200, 200));
        }
        QVERIFY(IMGSunsignList(0).isNull());
        QVERIFY(IMGSunsignList(13).isNull());
        QVERIFY(IMGSunsignList(11).toImage() != IMGSunsignList(12).toImage());
    }

    void designStateBeforeAReading() {
        Harness &h = *m_harness;
        FrmDisplay &d = h.windows().display();
        h.windows().show(d); // the design's picture goes in at the first show
        for (const char *value :
             {"lblSunSign", "lblSunSignElement", "lblSunSignNumber", "lblSunSignDay",
              "lblSunSignCompatibility", "lblSunSignBirthStone"})
            QCOMPARE(child<QLabel>(d, value)->text(), QStringLiteral("lblSunSign"));
        QCOMPARE(child<QLabel>(d, "lblFragrances")->text(), q(kDesignFragrances));
        QCOMPARE(child<QLabel>(d, "lblPerfume")->text(), q(profileOf(SunSign::Taurus).perfumes));
        QCOMPARE(shown(child<QLabel>(d, "picSunSign")), IMGSunsignList(11).toImage());
        QVERIFY(child<QPlainTextEdit>(d, "txtAromelle")->toPlainText().isEmpty());
        QVERIFY(child<QPlainTextEdit>(d, "txtSunSignPositiveTraits")->isReadOnly());
    }

    void leoThenBackThenPiscesLeavesNothingOfLeo() {
        enter("ANN", "LEE", 7, 25);
        FrmDisplay &leo = read();
        QCOMPARE(child<QLabel>(leo, "lblSunSign")->text(), QStringLiteral("Leo"));
        child<QTabWidget>(leo, "SSTab1")->setCurrentIndex(0);
        QPointer<FrmDisplay> old(&leo);
        QTest::mouseClick(child<QPushButton>(leo, "cmdBack"), Qt::LeftButton);
        QVERIFY(!Harness::loaded("frmDisplay"));
        QTRY_VERIFY(old.isNull()); // the window is gone, not just hidden

        enter("ANN", "LEE", 3, 1);
        FrmDisplay &pisces = read();
        compareWithProfile(pisces, profileOf(SunSign::Pisces));
        QCOMPARE(child<QTabWidget>(pisces, "SSTab1")->currentIndex(), 1);
    }

    void backShowsTheInputWindowAsItWasLeft() {
        Harness &h = *m_harness;
        enter("ANN", "LEE", 12, 25, 1999);
        child<QLineEdit>(input(), "txtMiddleName")->setText("MAY");
        FrmDisplay &d = read();
        // Shown and hidden again at once, the exit screen would still reach a window
        // manager, which could give it the keyboard.
        const ShowCounter exitScreenShows(QStringLiteral("frmExitScreen"));
        // A late close request for the input window, hidden by the reading, is refused.
        QCloseEvent lateClose; // as the window system asks: sent, not made by the program
        QSpontaneKeyEvent::setSpontaneous(&lateClose);
        QCoreApplication::instance()->notify(&input(), &lateClose);
        QVERIFY(d.isVisible());
        d.cmdBack_Click();
        QVERIFY(input().isVisible());
        // So is one for the exit screen, loaded and hidden: the program goes on.
        QCloseEvent lateCloseToo;
        QSpontaneKeyEvent::setSpontaneous(&lateCloseToo);
        QCoreApplication::instance()->notify(&h.windows().exitScreen(), &lateCloseToo);
        QCOMPARE(exitScreenShows.shows, 0);
        QVERIFY(!h.windows().exitScreen().isVisible());
        QVERIFY(Harness::loaded("frmExitScreen"));
        QCOMPARE(child<QLineEdit>(input(), "txtFirstName")->text(), QStringLiteral("ANN"));
        QCOMPARE(child<QLineEdit>(input(), "txtMiddleName")->text(), QStringLiteral("MAY"));
        QCOMPARE(child<QLineEdit>(input(), "txtLastName")->text(), QStringLiteral("LEE"));
        QCOMPARE(child<QComboBox>(input(), "cboMonth")->currentText(), QStringLiteral("December"));
        QCOMPARE(child<QComboBox>(input(), "cboDate")->currentText(), QStringLiteral("25"));
        QCOMPARE(child<QComboBox>(input(), "cboYear")->currentText(), QStringLiteral("1999"));
        QCOMPARE(h.processEnds, 0);
    }

    // Tab walks the controls of the tab on show and never types into a box.
    void tabWalksTheShownTab_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("order");
        const QStringList perfume = {"qt_tabwidget_tabbar", "txtAromelle", "cmdBack"};
        const QStringList sunSign = {"qt_tabwidget_tabbar", "txtSunSignPositiveTraits",
                                     "txtSunSignNegativeTraits", "picSunSign", "cmdBack"};
        const auto backwards = [](QStringList order) {
            order.removeLast();
            std::reverse(order.begin(), order.end());
            return order << QStringLiteral("cmdBack");
        };
        QTest::newRow("perfume tab, Tab") << 1 << int(Qt::Key_Tab) << perfume;
        QTest::newRow("perfume tab, Shift+Tab") << 1 << int(Qt::Key_Backtab) << backwards(perfume);
        QTest::newRow("sun sign tab, Tab") << 0 << int(Qt::Key_Tab) << sunSign;
        QTest::newRow("sun sign tab, Shift+Tab") << 0 << int(Qt::Key_Backtab) << backwards(sunSign);
    }

    void tabWalksTheShownTab() {
        QFETCH(int, tab);
        QFETCH(int, key);
        QFETCH(QStringList, order);
        enter("ANN", "LEE", 7, 25);
        FrmDisplay &d = read();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        child<QTabWidget>(d, "SSTab1")->setCurrentIndex(tab);
        child<QPushButton>(d, "cmdBack")->setFocus();
        const QString traits = child<QPlainTextEdit>(d, "txtSunSignPositiveTraits")->toPlainText();
        for (int round = 0; round < 2; ++round) {
            for (const QString &name : order) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
                QCOMPARE(QApplication::focusWidget()->objectName(), name);
            }
        }
        QCOMPARE(child<QPlainTextEdit>(d, "txtSunSignPositiveTraits")->toPlainText(), traits);
    }

    void menuEntriesBehaveAsTheirButtons() {
        Harness &h = *m_harness;
        enter("ANN", "LEE", 6, 30);
        h.windows().show(input());
        input().findChild<QAction *>("mnuNext")->trigger();
        QVERIFY(Harness::loaded("frmDisplay"));
        FrmDisplay &d = h.windows().display();
        QCOMPARE(child<QLabel>(d, "lblSunSign")->text(), QStringLiteral("Cancer"));
        QVERIFY(!input().isVisible());
        d.findChild<QAction *>("mnuBack")->trigger();
        QVERIFY(!Harness::loaded("frmDisplay"));
        QVERIFY(input().isVisible());
        QVERIFY(!h.windows().exitScreen().isVisible());
    }

    void aReadingClearsTheClipboard() {
        QApplication::clipboard()->setText(QStringLiteral("kept elsewhere"));
        enter("ANN", "LEE", 1, 1);
        read();
        QVERIFY(QApplication::clipboard()->text().isEmpty());
    }

    void mouseOverATraitBoxClearsTheClipboard_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("clears");
        QTest::newRow("positive traits") << "txtSunSignPositiveTraits" << true;
        QTest::newRow("negative traits") << "txtSunSignNegativeTraits" << true;
        QTest::newRow("perfume preferences") << "txtAromelle" << false;
    }

    void mouseOverATraitBoxClearsTheClipboard() {
        QFETCH(QString, box);
        QFETCH(bool, clears);
        enter("ANN", "LEE", 1, 1);
        FrmDisplay &d = read();
        auto *edit = d.findChild<QPlainTextEdit *>(box);
        QVERIFY(edit);
        child<QTabWidget>(d, "SSTab1")->setCurrentIndex(clears ? 0 : 1);
        for (auto action : {0, 1, 2}) {
            QApplication::clipboard()->setText(QStringLiteral("copied"));
            QWidget *viewport = edit->viewport();
            if (action == 0)
                QTest::mouseMove(viewport, QPoint(10, 10));
            else if (action == 1)
                QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(12, 12));
            else
                QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(12, 12));
            QCOMPARE(QApplication::clipboard()->text().isEmpty(), clears);
        }
    }

    void copyingFromThePreferencesBoxKeepsTheText() {
        enter("ANN", "LEE", 1, 1);
        FrmDisplay &d = read();
        child<QPlainTextEdit>(d, "txtAromelle")->selectAll();
        child<QPlainTextEdit>(d, "txtAromelle")->copy();
        QCOMPARE(QApplication::clipboard()->text(),
                 child<QPlainTextEdit>(d, "txtAromelle")->toPlainText());
    }
};

QTEST_MAIN(ReadingTest)
#include "reading_test.moc"
