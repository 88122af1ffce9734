// The input window: names and date of birth for a reading, with the key filter of
// the name boxes and the check that runs before every reading.
#pragma once

#include "menu_window.h"

#include <cstdint>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace aromelle {
class SignPictureList;
namespace look {
class LinkLabel;
}
} // namespace aromelle

class FrmMain : public aromelle::MenuWindow {
    Q_OBJECT
public:
    FrmMain();

    // The reading's check of the entries; on failure it has told the user why.
    bool check_entries();

    std::int16_t monthPosition() const;
    std::int16_t dayPosition() const;

    const aromelle::SignPictureList &IMGSunsignList() const { return *m_pictures; }
    aromelle::look::LinkLabel *lblCobrand() const { return m_cobrand; }
    aromelle::look::LinkLabel *lblFullBrand() const { return m_fullBrand; }

    // The reading button's handler; the File menu entry runs it too.
    void cmdNext_Click();
    void cmdExit_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();
    void buildMenus();
    // Returns true when the character was refused or replaced.
    bool filterNameKey(QLineEdit *box, int code);

    QLineEdit *m_firstName = nullptr;
    QLineEdit *m_middleName = nullptr;
    QLineEdit *m_lastName = nullptr;
    QComboBox *m_month = nullptr;
    QComboBox *m_day = nullptr;
    QComboBox *m_year = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_exit = nullptr;
    aromelle::look::LinkLabel *m_fullBrand = nullptr;
    aromelle::look::LinkLabel *m_cobrand = nullptr;
    aromelle::SignPictureList *m_pictures = nullptr;
    bool m_centred = false;
};

namespace aromelle {
inline constexpr char kCobrandText[] =
    "Co-brand this software for your own web site: put your name and logo on it and give it "
    "to your visitors as a free gift. Click Here for more info on co-branding.";
inline constexpr char kFullBrandText[] =
    "Home Business Opportunity. Start your own Internet business and make money online. Get "
    "this software fully branded for your website. Click here for more details.";
inline constexpr char kForumPromotion[] =
    "Talk astrology, tarot and numerology with friends on our free discussion board. Visit us "
    "at http://www.quorvane.com";
} // namespace aromelle
