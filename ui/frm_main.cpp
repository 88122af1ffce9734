#include "frm_main.h"

#include "entry_checks.h"
#include "links.h"
#include "look.h"
#include "name_rule.h"

#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace aromelle {

using namespace look;

namespace {

// Geometry in twips, relative to each control's container.
struct Geometry {
    static constexpr QRect client = tw(0, 0, 7455, 4455);
    static constexpr QRect Frame2 = tw(0, 0, 7455, 615);
    static constexpr QRect Label61 = tw(120, 120, 7200, 465);
    static constexpr QRect Label2 = tw(120, 720, 7215, 735);
    static constexpr QRect fraName = tw(0, 1440, 7455, 2205);
    static constexpr QRect Frame1 = tw(120, 240, 7245, 1005);
    static constexpr QRect Label1 = tw(1110, 240, 795, 195);
    static constexpr QRect Label4 = tw(3150, 240, 1095, 195);
    static constexpr QRect Label5 = tw(5310, 240, 810, 195);
    static constexpr QRect txtFirstName = tw(600, 450, 1905, 345);
    static constexpr QRect txtMiddleName = tw(2625, 450, 1965, 345);
    static constexpr QRect txtLastName = tw(4710, 450, 1935, 345);
    static constexpr QRect fraBirthDay = tw(120, 1440, 4005, 645);
    static constexpr QRect cboMonth = tw(120, 240, 1455, 315);
    static constexpr QRect cboDate = tw(1800, 240, 855, 315);
    static constexpr QRect cboYear = tw(2880, 240, 975, 315);
    static constexpr QRect cmdNext = tw(4200, 1530, 3165, 560);
    static constexpr QRect cmdExit = tw(5040, 5640, 2085, 315);
    static constexpr QRect Frame5 = tw(0, 3600, 7455, 855);
    static constexpr QRect lblFullBrand = tw(120, 160, 7185, 615);
    static constexpr QRect lblCobrand = tw(120, 160, 7185, 615);
};

// A name may be as long as the user likes; Qt's default would cut a paste at 32767.
constexpr int kNoLengthLimit = std::numeric_limits<int>::max();

// The name captions' MS Sans Serif 8.25 pt. Its stand-in, Liberation Sans, runs
// wider: at 8.25 pt (11 px) " First Name" takes 57 px of the 53 drawn for it, at
// 7.5 pt (10 px) 52, so the stand-in is drawn at 7.5 pt.
constexpr double kCaptionPoints = points::kText;
constexpr double kCaptionStandInPoints = 7.5;

// The frames, their boxes and lists keep the window's text font; the style draws the
// frames' captions bold. A font set on a list would build its popup at once, long
// before anyone opens it.
QGroupBox *frame(QWidget *parent, const char *name, const char *caption, const QRect &rect) {
    auto *box = place(new QGroupBox(QString::fromLatin1(caption), parent), name, rect);
    setColours(box, kPeach, kIndigo);
    return box;
}

QLineEdit *nameBox(QWidget *parent, const char *name, const char *accessible, const QRect &rect) {
    auto *box = place(new QLineEdit(parent), name, rect);
    box->setAccessibleName(QString::fromLatin1(accessible));
    box->setMaxLength(kNoLengthLimit);
    setColours(box, kIndigo, kPeach);
    return box;
}

QComboBox *dateList(QWidget *parent, const char *name, const char *field, const QRect &rect) {
    auto *list = place(new QComboBox(parent), name, rect);
    // Qt on Linux tells a list's current entry as its name, so the field it stands for
    // goes in the description, which screen readers speak after it.
    list->setAccessibleDescription(QString::fromLatin1(field));
    list->setEditable(false);
    setColours(list, kIndigo, kPeach);
    return list;
}

QLabel *caption(QWidget *parent, const char *name, const char *text, const QRect &rect) {
    auto *label = place(new QLabel(QString::fromLatin1(text), parent), name, rect);
    label->setFont(captionFont(kCaptionPoints, kCaptionStandInPoints));
    setColours(label, kPeach);
    return label;
}

} // namespace

FrmMain::FrmMain(const Services &services)
    : MenuWindow({Geometry::client.size(), Geometry::Frame2, Geometry::Label61}, services.openPage),
      m_services(services) {
    setObjectName(QStringLiteral("frmMain"));
    QWidget *client = centralWidget();

    auto *teaser =
        place(new LinkLabel(QStringLiteral(
                                "Does your partner love rose perfumes? Or would it be sandalwood? "
                                "Know more about perfume preferences of the different zodiac signs "
                                "with Aromelle."),
                            client),
              "Label2", Geometry::Label2);
    teaser->setFont(uiFont(points::kLink, Bold));
    teaser->setWordWrap(true);
    setColours(teaser, kPeach);
    connect(teaser, &LinkLabel::clicked, this,
            [this] { modHelp::OpenFullyBrandedPage(m_services.openPage); });

    QGroupBox *details =
        frame(client, "fraName", "Please Fill In The Below Details:", Geometry::fraName);
    QGroupBox *names = frame(details, "Frame1", "Name", Geometry::Frame1);
    // Qt names a frame inside another after the outer one's caption; each says its own.
    names->setAccessibleName(names->title());
    caption(names, "Label1", " First Name", Geometry::Label1);
    caption(names, "Label4", "Middle Name", Geometry::Label4);
    caption(names, "Label5", " Last Name", Geometry::Label5);
    m_firstName = nameBox(names, "txtFirstName", "First Name", Geometry::txtFirstName);
    m_middleName = nameBox(names, "txtMiddleName", "Middle Name", Geometry::txtMiddleName);
    m_lastName = nameBox(names, "txtLastName", "Last Name", Geometry::txtLastName);
    for (QLineEdit *box : {m_firstName, m_middleName, m_lastName})
        box->installEventFilter(this);

    QGroupBox *birthDay = frame(details, "fraBirthDay", "Date Of Birth", Geometry::fraBirthDay);
    birthDay->setAccessibleName(birthDay->title());
    m_month = dateList(birthDay, "cboMonth", "Month", Geometry::cboMonth);
    m_day = dateList(birthDay, "cboDate", "Day", Geometry::cboDate);
    m_year = dateList(birthDay, "cboYear", "Year", Geometry::cboYear);

    m_next = button(details, "cmdNext", QStringLiteral("My Aromelle Reading"), Geometry::cmdNext);
    m_next->setFont(uiFont(points::kText, Bold));
    colourButton(m_next, kIndigo, kPeach);
    connect(m_next, &QPushButton::clicked, this, &FrmMain::cmdNext_Click);

    // Below the visible client area on purpose: reached by Tab or Alt+X only.
    m_exit = button(client, "cmdExit", QStringLiteral("E&xit"), Geometry::cmdExit);
    colourButton(m_exit, Qt::black, kButtonBlue);
    connect(m_exit, &QPushButton::clicked, this, &FrmMain::cmdExit_Click);

    QFrame *bottom = indigoStrip(client, "Frame5", Geometry::Frame5);
    // The co-branding offer lies in front until start-up decides.
    m_offers = addOffers(bottom, Geometry::lblCobrand, Geometry::lblFullBrand, InFront::Cobrand);

    setTabOrder(m_firstName, m_middleName);
    setTabOrder(m_middleName, m_lastName);
    setTabOrder(m_lastName, m_month);
    setTabOrder(m_month, m_day);
    setTabOrder(m_day, m_year);
    setTabOrder(m_year, m_next);
    setTabOrder(m_next, m_exit);

    addMenus(
        {.file = "nuFile",
         .firstEntry = "mnuNext",
         .firstCaption = "My Aromelle Reading",
         .firstSeparator = "mnuFileSep1",
         .secondSeparator = "mnuFileSep2",
         .updateCaption = "&Check for Software Update"},
        [this] { cmdNext_Click(); }, [this] { cmdExit_Click(); });
    Form_Load();
    m_firstName->setFocus();
}

void FrmMain::Form_Load() {
    for (int day = 1; day <= dateLists::kDays; ++day)
        m_day->addItem(QString::number(day));
    for (const char *month : dateLists::kMonthNames)
        m_month->addItem(QString::fromLatin1(month));
    for (int year = dateLists::kFirstYear; year <= dateLists::kLastYear; ++year)
        m_year->addItem(QString::number(year));
    m_day->setCurrentIndex(0);
    m_month->setCurrentIndex(0);
    m_year->setCurrentIndex(0);
}

std::int16_t FrmMain::monthPosition() const {
    return static_cast<std::int16_t>(m_month->currentIndex());
}

std::int16_t FrmMain::dayPosition() const {
    return static_cast<std::int16_t>(m_day->currentIndex());
}

bool FrmMain::check_entries() {
    const std::optional<EntryRefusal> refusal =
        firstFailingCheck({.firstNameGiven = !m_firstName->text().isEmpty(),
                           .lastNameGiven = !m_lastName->text().isEmpty(),
                           .monthPosition = m_month->currentIndex(),
                           .dayPosition = m_day->currentIndex(),
                           .yearPosition = m_year->currentIndex()});
    if (!refusal)
        return true;
    m_services.message(MessageKind::Information, QString::fromLatin1(refusal->message), this);
    if (QWidget *mend = field(refusal->focus))
        mend->setFocus();
    return false;
}

QWidget *FrmMain::field(EntryField which) const {
    switch (which) {
    case EntryField::FirstName:
        return m_firstName;
    case EntryField::LastName:
        return m_lastName;
    case EntryField::Day:
        return m_day;
    case EntryField::Month:
        return m_month;
    case EntryField::Year:
        return m_year;
    case EntryField::None:
        break;
    }
    return nullptr;
}

bool FrmMain::eventFilter(QObject *watched, QEvent *event) {
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box && event->type() == QEvent::InputMethod) {
        // Dead keys, Compose and input methods finish their text as a commit, never as
        // key presses. What the rule took is taken out of the commit, and any preedit
        // still ends.
        auto *input = static_cast<QInputMethodEvent *>(event);
        if (input->commitString().isEmpty())
            return false;
        const NameCommit commit = nameCommit(input->commitString());
        input->setCommitString(QString(), input->replacementStart(), input->replacementLength());
        box->insert(commit.accepted);
        if (commit.refused)
            m_services.message(MessageKind::Information, QString::fromLatin1(kOnlyAlphabet), this);
        return false;
    }
    if (!box || event->type() != QEvent::KeyPress)
        return MenuWindow::eventFilter(watched, event);

    const auto *key = static_cast<QKeyEvent *>(event);
    const NameKeyOutcome outcome = nameKey(key->key(), key->modifiers(), key->text());
    switch (outcome.action) {
    case NameKeyAction::Edit:
        return false;
    case NameKeyAction::Insert:
        box->insert(QString(outcome.capital));
        return true;
    case NameKeyAction::Swallow:
        return true;
    case NameKeyAction::Refuse:
        m_services.message(MessageKind::Information, QString::fromLatin1(kOnlyAlphabet), this);
        return true;
    }
    return false;
}

void FrmMain::cmdNext_Click() {
    emit readingRequested();
}

void FrmMain::cmdExit_Click() {
    close();
}

} // namespace aromelle
