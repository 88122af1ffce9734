#include "frm_exit_screen.h"

#include "accessible.h"
#include "choices.h"
#include "links.h"
#include "look.h"
#include "messages.h"
#include "tell_a_friend.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <iterator>
#include <limits>

namespace aromelle {

using namespace look;

namespace {

// %1: the forum's address.
const char *const kPleaTexts[kPleaCount] = {
    "Programs like this one can only be made and kept up with your support, and the best "
    "support is to visit our forum at %1 regularly and take part in its discussions and other "
    "activities.",
    "Please visit our forum at %1 regularly and support it by taking part in its discussions and "
    "activities. We cannot keep these programs up without your regular visits.",
    "%1 is a free online discussion board on astrology, tarot and other esoteric subjects. "
    "Visiting it regularly helps us develop and maintain this program.",
    "Our forum at %1 needs your help. Your regular visits and your part in its discussions help "
    "us maintain this program and develop many more.",
};

struct Geometry {
    static constexpr QRect client = tw(0, 0, 11115, 4725);
    static constexpr QRect Picture1 = tw(360, 120, 540, 540);
    static constexpr QRect Label1 = tw(1080, 240, 4500, 435);
    static constexpr QRect Label2 = tw(120, 840, 6975, 1095);
    static constexpr QRect Check1 = tw(30, 2040, 7185, 555);
    static constexpr QRect cmdClose = tw(6000, 2760, 1245, 375);
    static constexpr QRect Frame2 = tw(120, 3240, 7065, 1455);
    static constexpr QRect txtName = tw(85, 360, 3375, 285);
    static constexpr QRect cmdSubmit = tw(1920, 1080, 3375, 285);
    static constexpr QRect txtEmail = tw(3600, 360, 3375, 285);
    static constexpr QRect txtFriendEmail = tw(3600, 720, 3375, 285);
    static constexpr QRect txtFriendName = tw(85, 720, 3375, 285);
    static constexpr QRect txtMessage = tw(4800, 3600, 1815, 495); // below the frame: never seen
    static constexpr QRect Frame6 = tw(7320, 120, 3735, 4575);
    static constexpr QRect Label3 = tw(120, 360, 3495, 3855);
    static constexpr QRect lblGoToHome = tw(75, 4250, 3585, 210);
};

constexpr char kOtherPrograms[] =
    "If you enjoyed Aromelle, you will be glad to know that we make many more programs on "
    "astrology, psychic readings, tarot, numerology and the occult. What began as a single "
    "program has grown into a large collection.\n"
    "All of them are simple, easy to use, fun and informative. Do try them, and share the "
    "experience with your friends and family.";

constexpr char kInitialMessage[] = "Your Message\n";

QGroupBox *navyFrame(QWidget *parent, const char *name, const char *caption, const QRect &rect) {
    auto *frame = place(new QGroupBox(QString::fromLatin1(caption), parent), name, rect);
    frame->setFont(uiFont(points::kHeading, Bold));
    setColours(frame, Qt::white, kNavy);
    return frame;
}

QLineEdit *formBox(QWidget *parent, const char *name, const QRect &rect) {
    auto *box = place(new QLineEdit(parent), name, rect);
    box->setFont(uiFont(points::kText));
    box->setMaxLength(std::numeric_limits<int>::max()); // no limit, as in the other boxes
    setColours(box, Qt::black, Qt::white);
    return box;
}

// The form's message box. Qt 6.4's plain-text box reads the first format of what it
// is given to paste without asking whether there is any, and an empty clipboard
// (every reading empties it) offers none, or nothing at all: a paste then crashed.
// With nothing to paste, nothing happens.
class MessageTextBox : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override {
        return hasAnything(source) && QPlainTextEdit::canInsertFromMimeData(source);
    }
    void insertFromMimeData(const QMimeData *source) override {
        if (hasAnything(source))
            QPlainTextEdit::insertFromMimeData(source);
    }

private:
    static bool hasAnything(const QMimeData *source) {
        return source && !source->formats().isEmpty();
    }
};

// The refer-a-friend field of one of the form's five boxes; the filter watches no other.
const ReferField &fieldOf(const QObject *box) {
    const auto *field =
        std::find_if(std::begin(kReferFields), std::end(kReferFields), [box](const ReferField &f) {
            return box->objectName() == QLatin1String(f.box);
        });
    Q_ASSERT_X(field != std::end(kReferFields), "fieldOf", "not a refer-a-friend box");
    return *field;
}

} // namespace

FrmExitScreen::FrmExitScreen(const Services &services) : m_services(services) {
    accessible::install();
    setObjectName(QStringLiteral("frmExitScreen"));
    setWindowTitle(programTitle());
    makeFixedWindow(this);
    setFixedSize(Geometry::client.size());
    setColours(this, Qt::black, Qt::white);
    whenFirstShown(this, [this] { centreOnScreen(this); });
    Form_Load();
}

void FrmExitScreen::setVisible(bool visible) {
    // Built while still hidden, just before the first show, so the controls are shown
    // with the window.
    if (visible && !m_close)
        buildControls();
    QWidget::setVisible(visible);
}

void FrmExitScreen::buildControls() {
    Picture *icon = programPicture(this, Geometry::Picture1);

    auto *title = place(new QLabel(programTitle(), this), "Label1", Geometry::Label1);
    title->setFont(captionFont(points::kTitle, points::kTitle)); // fits its box in either family
    setColours(title, Qt::black);

    auto *plea = place(new QLabel(m_pleaText, this), "Label2", Geometry::Label2);
    plea->setTextFormat(Qt::PlainText);
    plea->setWordWrap(true);
    plea->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    plea->setFont(uiFont(points::kHeading, Bold));
    setColours(plea, Qt::black);

    m_visit = place(new QCheckBox(QStringLiteral("Click here to visit ") +
                                      QString::fromLatin1(urls::kHomePage) + QStringLiteral(" now"),
                                  this),
                    "Check1", Geometry::Check1);
    m_visit->setFont(uiFont(points::kInvitation));
    fitToWidth(m_visit);
    m_visit->setCursor(Qt::PointingHandCursor);
    oneClickPerGesture(m_visit); // it opens a page, as a link does
    setColours(m_visit, kLinkBlue);
    connect(m_visit, &QCheckBox::clicked, this, &FrmExitScreen::Check1_Click);

    m_close = button(this, "cmdClose", QStringLiteral("E&xit"), Geometry::cmdClose);
    m_close->setFont(uiFont(points::kText));
    connect(m_close, &QPushButton::clicked, this, &FrmExitScreen::exitRequested);

    QGroupBox *refer = navyFrame(this, "Frame2", "Refer A Friend", Geometry::Frame2);
    m_name = formBox(refer, "txtName", Geometry::txtName);
    auto *submit =
        button(refer, "cmdSubmit", QStringLiteral("Refer A Friend &Now"), Geometry::cmdSubmit);
    submit->setFont(uiFont(points::kText, Bold));
    setColours(submit, Qt::black, QColor(0xF0, 0xF0, 0xF0));
    connect(submit, &QPushButton::clicked, this, &FrmExitScreen::cmdSubmit_Click);
    m_email = formBox(refer, "txtEmail", Geometry::txtEmail);
    m_friendEmail = formBox(refer, "txtFriendEmail", Geometry::txtFriendEmail);
    m_friendName = formBox(refer, "txtFriendName", Geometry::txtFriendName);
    m_message = place(new MessageTextBox(refer), "txtMessage", Geometry::txtMessage);
    m_message->setTabChangesFocus(true);
    m_message->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_message->setFont(uiFont(points::kText));
    setColours(m_message, Qt::black, Qt::white);

    for (const ReferField &field : kReferFields) {
        QWidget *box = refer->findChild<QWidget *>(QString::fromLatin1(field.box));
        box->setAccessibleName(QString::fromLatin1(field.placeholder));
        box->installEventFilter(this);
        setBoxText(box, QString::fromLatin1(field.placeholder));
        const auto changed = [this, box] { textChanged(box); };
        if (auto *line = qobject_cast<QLineEdit *>(box))
            connect(line, &QLineEdit::textChanged, this, changed);
        else
            connect(m_message, &QPlainTextEdit::textChanged, this, changed);
    }
    setBoxText(m_message, QString::fromLatin1(kInitialMessage));

    QGroupBox *programs =
        navyFrame(this, "Frame6", "Download Quorvane Softwares", Geometry::Frame6);
    auto *recommendation = place(new QLabel(QString::fromLatin1(kOtherPrograms), programs),
                                 "Label3", Geometry::Label3);
    recommendation->setTextFormat(Qt::PlainText);
    recommendation->setWordWrap(true);
    recommendation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    recommendation->setFont(uiFont(points::kLink));
    setColours(recommendation, Qt::white);
    auto *catalogue =
        place(new LinkLabel(QStringLiteral("Click Here To Visit Quorvane Softwares"), programs),
              "lblGoToHome", Geometry::lblGoToHome);
    catalogue->setFont(uiFont(points::kLink, Bold | Underline));
    setColours(catalogue, kYellow);
    fitToWidth(catalogue);
    connect(catalogue, &LinkLabel::clicked, this,
            [this] { modHelp::OpenSoftwareCatalogue(m_services.openPage); });

    setTabOrder(m_close, m_visit);
    setTabOrder(m_visit, icon);
    setTabOrder(icon, m_name);
    setTabOrder(m_name, submit);
    setTabOrder(submit, m_email);
    setTabOrder(m_email, m_friendEmail);
    setTabOrder(m_friendEmail, m_friendName);
    setTabOrder(m_friendName, m_message);
}

void FrmExitScreen::Form_Load() {
    m_pleaText = QString::fromLatin1(kPleaTexts[pleaIndex(m_services.random())])
                     .arg(QLatin1String(urls::kForum));
    // Above every other window, browsers it opens included; set while still hidden
    // so it neither moves nor takes the focus now.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

QString FrmExitScreen::boxText(QWidget *box) const {
    if (auto *line = qobject_cast<QLineEdit *>(box))
        return line->text();
    // The one multi-line box separates its lines with CR LF.
    auto *message = qobject_cast<QPlainTextEdit *>(box);
    Q_ASSERT_X(message, "boxText", "not a text box");
    return messageValue(message->toPlainText());
}

void FrmExitScreen::setBoxText(QWidget *box, const QString &text) {
    m_settingText = true;
    if (auto *line = qobject_cast<QLineEdit *>(box)) {
        line->setText(text);
    } else {
        auto *message = qobject_cast<QPlainTextEdit *>(box);
        Q_ASSERT_X(message, "setBoxText", "not a text box");
        message->setPlainText(text);
    }
    m_settingText = false;
    const bool placeholder = text == QLatin1String(fieldOf(box).placeholder);
    if (placeholder && !m_showingPlaceholder.contains(box))
        m_showingPlaceholder.append(box);
    else if (!placeholder)
        m_showingPlaceholder.removeAll(box);
}

void FrmExitScreen::textChanged(QWidget *box) {
    if (m_settingText || !m_showingPlaceholder.removeAll(box))
        return;
    // Text has reached a box that showed its placeholder without a key or the focus
    // clearing it first: pasted from a menu or by the middle button, or put there by a
    // screen reader. Only what came in stays. Put off until the box has finished the
    // change that is under way.
    QMetaObject::invokeMethod(
        this,
        [this, box = QPointer<QWidget>(box)] {
            if (!box)
                return;
            const QString placeholder = QString::fromLatin1(fieldOf(box).placeholder);
            auto *line = qobject_cast<QLineEdit *>(box);
            const QString text = line ? line->text() : m_message->toPlainText();
            if (text == placeholder) { // the change was undone meanwhile
                m_showingPlaceholder.append(box);
                return;
            }
            setBoxText(box, withoutPlaceholder(text, placeholder));
            if (line)
                line->end(false);
            else
                m_message->moveCursor(QTextCursor::End);
        },
        Qt::QueuedConnection);
}

bool FrmExitScreen::eventFilter(QObject *watched, QEvent *event) {
    auto *box = qobject_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::FocusIn:
        // The placeholder goes once the focus has been announced: a screen reader that
        // hears of the text change first takes it for the focus, and then says nothing
        // of the box at all.
        m_placeholderToClear = box;
        QMetaObject::invokeMethod(this, &FrmExitScreen::clearPlaceholder, Qt::QueuedConnection);
        break;
    case QEvent::FocusOut:
        if (m_placeholderToClear == box)
            m_placeholderToClear = nullptr;
        if (trimSpaces(boxText(box)).isEmpty())
            setBoxText(box, QString::fromLatin1(fieldOf(box).placeholder));
        break;
    case QEvent::InputMethod:
        clearPlaceholder(); // text already on its way goes into an empty box
        break;
    case QEvent::KeyPress:
        clearPlaceholder();
        if (const std::optional<QString> refusal =
                referKeyRefusal(box->objectName(), static_cast<QKeyEvent *>(event)->text())) {
            m_services.message(MessageKind::Error, *refusal, this);
            box->setFocus();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void FrmExitScreen::clearPlaceholder() {
    QWidget *box = m_placeholderToClear;
    m_placeholderToClear = nullptr;
    if (box && box->hasFocus() &&
        trimSpaces(boxText(box)) == QLatin1String(fieldOf(box).placeholder))
        setBoxText(box, QString());
}

void FrmExitScreen::cmdSubmit_Click() {
    if (!m_close)
        return; // never shown: there is no form to send
    using namespace modTellAFriend;
    strYourName = trimSpaces(m_name->text());
    strYourEmail = trimSpaces(m_email->text());
    strYourMessage = trimSpaces(boxText(m_message));
    strFriendName = trimSpaces(m_friendName->text());
    strFriendEmail = trimSpaces(m_friendEmail->text());
    TellAFriend(m_services, this);
}

void FrmExitScreen::Check1_Click(bool ticked) {
    if (!ticked)
        return;
    m_visit->setChecked(false);
    modHelp::OpenHomePage(m_services.openPage);
}

void FrmExitScreen::closeEvent(QCloseEvent *event) {
    if (closeGoesAhead(this, event))
        emit exitRequested();
}

void FrmExitScreen::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    m_close->setFocus();
}

} // namespace aromelle
