#include "frm_about.h"

#include "accessible.h"
#include "links.h"
#include "look.h"

#include <QLabel>
#include <QPushButton>

namespace aromelle {

using namespace look;

namespace {

struct Geometry {
    static constexpr QRect client = tw(0, 0, 6825, 3870);
    static constexpr QRect Picture1 = tw(120, 120, 480, 480);
    static constexpr QRect cmdOK = tw(5400, 3360, 1260, 345);
    // The rule runs across the whole width, a little past both edges.
    static constexpr QRect Line1 = QRect(0, px(3240) - 1, client.width(), 2);
    static constexpr QRect Label1 = tw(120, 720, 6615, 795);
    static constexpr QPoint Label2 = QPoint(px(840), px(240));
    static constexpr QPoint lblCoBrand = QPoint(px(4080), px(2880));
    static constexpr QRect Label3 = tw(240, 2280, 6255, 615);
    static constexpr QPoint lblHomePage = QPoint(px(2040), px(1800));
};

QLabel *textLabel(QLabel *label, const char *name, const QFont &font) {
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    setColours(label, kPeach);
    return label;
}

} // namespace

FrmAbout::FrmAbout(const Services &services, QWidget *parent) : QDialog(parent) {
    accessible::install();
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(programTitle());
    makeFixedWindow(this);
    setModal(true);
    setFixedSize(Geometry::client.size());
    setFont(uiFont(points::kText));
    setColours(this, kPeach, kIndigo);

    Picture *icon = programPicture(this, Geometry::Picture1);

    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(Geometry::cmdOK);
    ok->setFont(uiFont(points::kText, Bold));
    colourButton(ok, kIndigo, kPeach);
    ok->setDefault(true);
    ok->setAutoDefault(true);
    // Esc, like the close box, closes the dialog the way OK does.
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setGeometry(Geometry::Line1);
    setColours(line, kPeach, kPeach);

    auto *description = textLabel(
        new QLabel(
            QStringLiteral("Aromelle is a Western zodiac based software that describes the perfume "
                           "preferences of the different sun signs. This software gives a better "
                           "idea about the perfume and scents liked by people under the different "
                           "signs of the zodiac."),
            this),
        "Label1", uiFont(points::kText));
    description->setGeometry(Geometry::Label1);
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *title =
        textLabel(new QLabel(programTitle(), this), "Label2", uiFont(points::kHeading, Bold));
    title->move(Geometry::Label2);
    title->adjustSize();

    auto *details = static_cast<LinkLabel *>(
        textLabel(new LinkLabel(QStringLiteral("Click here for more details."), this), "lblCoBrand",
                  uiFont(points::kText, Bold | Underline)));
    details->move(Geometry::lblCoBrand);
    details->adjustSize();
    connect(details, &LinkLabel::clicked, this,
            [&services] { modHelp::OpenFullyBrandedPage(services.openPage); });

    auto *offer = textLabel(
        new QLabel(QStringLiteral("Home Business Opportunity. Start your own Internet business "
                                  "and make money online. Get this software fully branded for "
                                  "your website."),
                   this),
        "Label3", uiFont(points::kText, Bold));
    offer->setGeometry(Geometry::Label3);
    offer->setWordWrap(true);
    offer->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *home = static_cast<LinkLabel *>(textLabel(
        new LinkLabel(QStringLiteral("Click here to visit ") + QString::fromLatin1(urls::kHomePage),
                      this),
        "lblHomePage", uiFont(points::kText, Bold | Underline)));
    home->move(Geometry::lblHomePage);
    home->adjustSize();
    connect(home, &LinkLabel::clicked, this,
            [&services] { modHelp::OpenHomePage(services.openPage); });

    setTabOrder(ok, icon);
    ok->setFocus();
}

void FrmAbout::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    centreOnScreen(this);
}

} // namespace aromelle
