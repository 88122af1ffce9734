#include "frm_display.h"

#include "links.h"
#include "look.h"
#include "profiles.h"
#include "sign_pictures.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>

#include <algorithm>
#include <iterator>

namespace aromelle {

using namespace look;

namespace {

// Geometry in twips, relative to each control's container. The frames of the two
// tabs are placed relative to the tab control, as the tab pages start below its tabs.
struct Geometry {
    static constexpr QRect client = tw(0, 0, 8415, 6555);
    static constexpr QRect Frame2 = tw(0, 0, 8400, 615);
    static constexpr QRect Label61 = tw(127, 120, 8160, 465);
    static constexpr QRect SSTab1 = tw(0, 600, 8415, 5175);
    static constexpr QRect tabFrame = tw(120, 360, 8160, 4695);
    static constexpr QRect Frame5 = tw(0, 5760, 8400, 800);
    static constexpr QRect cmdBack = tw(7080, 240, 1215, 375);
    static constexpr QRect lblCobrand = tw(120, 135, 6105, 615);
    static constexpr QRect lblFullBrand = tw(120, 140, 6105, 615);
    // Tab 0
    static constexpr QRect picSunSign = tw(4920, 240, 3000, 3000);
    static constexpr QRect txtSunSignPositiveTraits = tw(240, 3600, 3735, 945);
    static constexpr QRect txtSunSignNegativeTraits = tw(4200, 3600, 3735, 945);
    static constexpr QPoint Label13 = QPoint(px(240), px(3360));
    static constexpr QPoint Label10 = QPoint(px(4200), px(3360));
    // Tab 1
    static constexpr QPoint Label3 = QPoint(px(120), px(360));
    static constexpr QRect lblFragrances = tw(120, 720, 7905, 915);
    static constexpr QPoint Label4 = QPoint(px(120), px(1680));
    static constexpr QRect lblPerfume = tw(120, 1920, 7905, 1155);
    static constexpr QPoint Label1 = QPoint(px(120), px(3240));
    static constexpr QRect txtAromelle = tw(120, 3480, 7935, 1020);
};

// Tab 0's rows, top to bottom: caption label and its place, value label and its place.
struct Row {
    const char *captionName;
    const char *caption;
    QPoint captionAt;
    const char *valueName;
    QPoint valueAt;
};

const Row kRows[] = {
    {"Label15", "Your Sun Sign", {px(240), px(360)}, "lblSunSign", {px(1920), px(360)}},
    {"Label11", "Element", {px(240), px(864)}, "lblSunSignElement", {px(1920), px(900)}},
    {"Label27", "Birthstone", {px(240), px(1368)}, "lblSunSignBirthStone", {px(1920), px(1395)}},
    {"Label23", "Lucky Number", {px(240), px(1872)}, "lblSunSignNumber", {px(1920), px(1890)}},
    {"Label21", "Lucky Day", {px(240), px(2376)}, "lblSunSignDay", {px(1920), px(2385)}},
    {"Label17",
     "Compatibility",
     {px(240), px(2880)},
     "lblSunSignCompatibility",
     {px(1920), px(2880)}},
};

constexpr char kFragrancesCaption[] = "Fragrances";
constexpr char kPerfumesCaption[] = "Perfumes";

constexpr int kSunSignTab = 0;
constexpr int kPerfumeTab = 1;

QLabel *autoLabel(QWidget *parent, const char *name, const QString &text, QPoint at,
                  const QFont &font, const QColor &colour) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    setColours(label, colour);
    label->move(at);
    label->adjustSize();
    return label;
}

QLabel *captionLabel(QWidget *parent, const char *name, const char *text, QPoint at) {
    return autoLabel(parent, name, QString::fromLatin1(text), at,
                     uiFont(points::kText, Bold | Underline), kIndigo);
}

// A reading box, named for screen readers after the caption above it.
QPlainTextEdit *readingBox(QWidget *parent, const char *name, const char *caption,
                           const QRect &rect, const QColor &text) {
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(QString::fromLatin1(caption));
    box->setGeometry(rect);
    box->setReadOnly(true);
    // Keyboard users scroll and select the reading with the arrow keys.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setTabChangesFocus(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setFont(uiFont(points::kText));
    setColours(box, text, kIndigo);
    // A reading's paragraph keeps its shaped glyphs once laid out. Without them Qt
    // shapes the whole paragraph again for each use of the laid-out text: twice as
    // setPlainText puts the cursor at the start, and once more to draw it. The
    // document makes the paragraph anew for each text and tells of the change before
    // it lays the paragraph out, so it is marked then.
    QTextDocument *document = box->document();
    QObject::connect(
        document, &QTextDocument::contentsChange, box, [document](int from, int, int added) {
            for (QTextBlock block = document->findBlock(from);
                 block.isValid() && block.position() <= from + added; block = block.next())
                block.layout()->setCacheEnabled(true);
        });
    return box;
}

// A tab's peach panel; placed once the tab bar's height is known (firstShown).
QFrame *tabFrame(QWidget *page, const char *name) {
    auto *frame = new QFrame(page);
    frame->setObjectName(QString::fromLatin1(name));
    frame->resize(Geometry::tabFrame.size());
    setColours(frame, kIndigo, kPeach);
    return frame;
}

// Tabs no taller than the design's, 360 twips, so each page starts where its panel
// was drawn: Fusion's tabs in the program's font would take one pixel more.
class DesignTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override {
        QSize size = QTabBar::tabSizeHint(index);
        size.setHeight(std::min(size.height(), Geometry::tabFrame.top()));
        return size;
    }
};

class DesignTabs : public QTabWidget {
public:
    explicit DesignTabs(QWidget *parent) : QTabWidget(parent) {
        auto *bar = new DesignTabBar(this);
        bar->setObjectName(QStringLiteral("qt_tabwidget_tabbar"));
        setTabBar(bar);
    }
};

void clearClipboard() {
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->clear();
}

} // namespace

FrmDisplay::FrmDisplay(const Services &services)
    : MenuWindow({Geometry::client.size(), Geometry::Frame2, Geometry::Label61},
                 services.openPage) {
    setObjectName(QStringLiteral("frmDisplay"));
    QWidget *client = centralWidget();

    m_tabs = new DesignTabs(client);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->setGeometry(Geometry::SSTab1);
    m_tabs->setDocumentMode(true);
    setColours(m_tabs, kIndigo, kPeach);
    auto *sunSignPage = new QWidget;
    auto *perfumePage = new QWidget;
    m_tabs->addTab(sunSignPage, QStringLiteral("Sun Sign Profile"));
    m_tabs->addTab(perfumePage, QStringLiteral("Aromelle Profile"));
    buildSunSignTab(sunSignPage);
    buildPerfumeTab(perfumePage);
    m_tabs->setCurrentIndex(kPerfumeTab);

    QFrame *bottom = indigoStrip(client, "Frame5", Geometry::Frame5);
    m_back = button(bottom, "cmdBack", QStringLiteral("&Back"), Geometry::cmdBack);
    m_back->setFont(uiFont(points::kText, Bold));
    colourButton(m_back, kIndigo, kPeach);
    connect(m_back, &QPushButton::clicked, this, &FrmDisplay::cmdBack_Click);
    // On this window the fully-branded offer always lies in front.
    addOffers(bottom, Geometry::lblCobrand, Geometry::lblFullBrand, InFront::FullBrand);

    // The tab bar itself takes the focus for the tab control; the chain goes through
    // it, as through the tab control, it would end at the tab control's own children.
    m_tabBar = m_tabs->findChild<QTabBar *>();
    setTabOrder(m_back, m_tabBar);
    setTabOrder(m_tabBar, txtSunSignPositiveTraits);
    setTabOrder(txtSunSignPositiveTraits, txtSunSignNegativeTraits);
    setTabOrder(txtSunSignNegativeTraits, picSunSign);
    setTabOrder(picSunSign, txtAromelle);
    setTabOrder(txtAromelle, m_back);

    // The tab bar is where the keyboard meets each tab first, so its tabs carry their
    // values for screen readers (see describeTabs).
    m_tabBar->installEventFilter(this);
    describeTabs();

    addMenus(
        {.file = "mnuFile",
         .firstEntry = "mnuBack",
         .firstCaption = "Back",
         .firstSeparator = "mnuSep1",
         .secondSeparator = "mnuSep2",
         .updateCaption = "Check for Software &Update"},
        [this] { cmdBack_Click(); }, [this] { close(); });
    m_back->setFocus();
}

void FrmDisplay::showProfile(const SignProfile &profile, const QPixmap &picture) {
    // The labels are sized to their text.
    const auto setValue = [](QLabel *label, std::string_view value) {
        label->setText(qt(value));
        label->adjustSize();
    };
    setValue(lblSunSign, displayName(profile.sign));
    setValue(lblSunSignElement, profile.element);
    setValue(lblSunSignNumber, profile.lucky_number);
    setValue(lblSunSignDay, profile.lucky_day);
    setValue(lblSunSignCompatibility, profile.compatibility);
    setValue(lblSunSignBirthStone, profile.birthstone);
    txtSunSignPositiveTraits->setPlainText(qt(profile.positive_traits));
    txtSunSignNegativeTraits->setPlainText(qt(profile.negative_traits));
    if (!picture.isNull()) {
        picSunSign->setPixmap(picture);
        picSunSign->setAccessibleName(lblSunSign->text()); // what the picture shows
    }
    lblFragrances->setText(qt(profile.fragrances));
    lblPerfume->setText(qt(profile.perfumes));
    txtAromelle->setPlainText(qt(profile.perfume_preferences));
    describeTabs();
}

std::array<QLabel **, 6> FrmDisplay::rowValues() {
    return {&lblSunSign,       &lblSunSignElement, &lblSunSignBirthStone,
            &lblSunSignNumber, &lblSunSignDay,     &lblSunSignCompatibility};
}

void FrmDisplay::describeTabs() {
    // A screen reader reaches the values only through what the Tab key reaches: the
    // tab bar and the reading boxes. Each tab's description holds its captions and
    // values. Qt takes a tab's description from its tooltip, which is never shown
    // (see eventFilter).
    const auto entry = [](const char *caption, const QLabel *value) {
        return QString::fromLatin1(caption) + QStringLiteral(": ") + value->text();
    };
    QStringList sunSign;
    const auto values = rowValues();
    for (std::size_t i = 0; i < std::size(kRows); ++i)
        sunSign << entry(kRows[i].caption, *values[i]);
    const QStringList perfume{entry(kFragrancesCaption, lblFragrances),
                              entry(kPerfumesCaption, lblPerfume)};
    const QString separator = QStringLiteral(". ");
    m_tabs->setTabToolTip(kSunSignTab, sunSign.join(separator));
    m_tabs->setTabToolTip(kPerfumeTab, perfume.join(separator));
}

void FrmDisplay::announceCurrentTab() {
    // Qt tells the focus as on the whole tab bar, which a screen reader names without
    // a description; arrow keys then move it to single tabs. The current tab is
    // where the focus really is, so it is told as focused, as the arrow keys do.
    if (!QAccessible::isActive() || !m_tabBar->hasFocus())
        return;
    QAccessibleEvent focus(m_tabBar, QAccessible::Focus);
    focus.setChild(m_tabBar->currentIndex());
    QAccessible::updateAccessibility(&focus);
}

void FrmDisplay::buildSunSignTab(QWidget *page) {
    QFrame *frame = tabFrame(page, "Frame4");
    m_sunSignFrame = frame;

    const auto values = rowValues();
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        const Row &row = kRows[i];
        captionLabel(frame, row.captionName, row.caption, row.captionAt);
        // The sign's name, the first row, stands out from the other values.
        const bool sign = i == 0;
        *values[i] = autoLabel(frame, row.valueName, QStringLiteral("lblSunSign"), row.valueAt,
                               uiFont(sign ? points::kHeading : points::kText, Bold),
                               sign ? kRed : kDarkRed);
    }

    captionLabel(frame, "Label13", "Positive Traits", Geometry::Label13);
    captionLabel(frame, "Label10", "Negative Traits", Geometry::Label10);
    txtSunSignPositiveTraits = readingBox(frame, "txtSunSignPositiveTraits", "Positive Traits",
                                          Geometry::txtSunSignPositiveTraits, kPeach);
    txtSunSignNegativeTraits = readingBox(frame, "txtSunSignNegativeTraits", "Negative Traits",
                                          Geometry::txtSunSignNegativeTraits, kPeach);
    // Their text is not to be copied: any change, click or mouse movement over
    // them empties the clipboard.
    for (QPlainTextEdit *box : {txtSunSignPositiveTraits, txtSunSignNegativeTraits}) {
        box->viewport()->setMouseTracking(true);
        box->viewport()->installEventFilter(this);
        connect(box, &QPlainTextEdit::textChanged, this, clearClipboard);
        // Nor does it go to the X primary selection, the desktop's second clipboard,
        // which any program pastes with the middle button. Qt puts a selection there
        // once it is made: at the mouse release, or at once by the keyboard.
        connect(box, &QPlainTextEdit::selectionChanged, this, &FrmDisplay::keepTraitsUnselected,
                Qt::QueuedConnection);
    }

    picSunSign = new Picture(frame);
    picSunSign->setObjectName(QStringLiteral("picSunSign"));
    picSunSign->setGeometry(Geometry::picSunSign);
    // The design's picture is put in at the first show, and only if no reading has
    // put its own (firstShown): a reading replaces it before anyone could see it.
    picSunSign->setAccessibleName(qt(displayName(SunSign::Aquarius)));
}

void FrmDisplay::buildPerfumeTab(QWidget *page) {
    QFrame *frame = tabFrame(page, "Frame3");
    m_perfumeFrame = frame;

    captionLabel(frame, "Label3", kFragrancesCaption, Geometry::Label3);
    captionLabel(frame, "Label4", kPerfumesCaption, Geometry::Label4);
    captionLabel(frame, "Label1", "Perfume Preferences", Geometry::Label1);

    const auto listLabel = [frame](const char *name, const QRect &rect, std::string_view text) {
        auto *label = new QLabel(frame);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(rect);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setFont(uiFont(points::kHeading, Bold));
        setColours(label, kDarkRed);
        label->setText(qt(text));
        return label;
    };
    lblFragrances = listLabel("lblFragrances", Geometry::lblFragrances, kDesignFragrances);
    lblPerfume = listLabel("lblPerfume", Geometry::lblPerfume, profileOf(SunSign::Taurus).perfumes);

    txtAromelle =
        readingBox(frame, "txtAromelle", "Perfume Preferences", Geometry::txtAromelle, Qt::white);
}

void FrmDisplay::firstShown() {
    // Shown without a reading, or with one whose picture could not be read, the
    // window has the design's picture.
    if (picSunSign->pixmap().isNull())
        picSunSign->setPixmap(IMGSunsignList(ordinal(SunSign::Aquarius)));
    // Keep the frames where they sit relative to the whole tab control, whatever
    // height the style gives the tab bar.
    for (QWidget *frame : {m_sunSignFrame, m_perfumeFrame}) {
        const QPoint pageOrigin = frame->parentWidget()->mapTo(m_tabs, QPoint(0, 0));
        const QPoint at = Geometry::tabFrame.topLeft() - pageOrigin;
        frame->move(std::max(at.x(), 0), std::max(at.y(), 0));
    }
}

void FrmDisplay::keepTraitsUnselected() {
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard || !clipboard->ownsSelection())
        return;
    const QString selection = clipboard->text(QClipboard::Selection);
    for (const QPlainTextEdit *box : {txtSunSignPositiveTraits, txtSunSignNegativeTraits}) {
        const QTextCursor cursor = box->textCursor();
        if (cursor.hasSelection() && cursor.selection().toPlainText() == selection)
            return clipboard->clear(QClipboard::Selection);
    }
}

void FrmDisplay::cmdBack_Click() {
    emit backRequested();
}

bool FrmDisplay::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_tabBar) {
        if (event->type() == QEvent::FocusIn)
            QMetaObject::invokeMethod(this, &FrmDisplay::announceCurrentTab, Qt::QueuedConnection);
        return event->type() == QEvent::ToolTip; // descriptions for screen readers only
    }
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        QMetaObject::invokeMethod(this, &FrmDisplay::keepTraitsUnselected, Qt::QueuedConnection);
        clearClipboard();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
        clearClipboard();
        break;
    default:
        break;
    }
    return MenuWindow::eventFilter(watched, event);
}

} // namespace aromelle
