// The input window: names and date of birth for a reading, with the key filter of
// the name boxes and the check that runs before every reading.
#pragma once

#include "entry_checks.h"
#include "menu_window.h"
#include "services.h"

#include <cstdint>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace aromelle {

class FrmMain : public MenuWindow {
    Q_OBJECT
public:
    explicit FrmMain(const Services &services);

    // The reading's check of the entries; on failure it has told the user why.
    bool check_entries();

    std::int16_t monthPosition() const;
    std::int16_t dayPosition() const;

    // Start-up brings one of the two offers to the front.
    look::LinkLabel *lblCobrand() const { return m_offers.cobrand; }
    look::LinkLabel *lblFullBrand() const { return m_offers.fullBrand; }

    // The reading button's handler; the File menu entry runs it too.
    void cmdNext_Click();
    void cmdExit_Click();

signals:
    void readingRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    QWidget *field(EntryField which) const;

    const Services &m_services;
    QLineEdit *m_firstName = nullptr;
    QLineEdit *m_middleName = nullptr;
    QLineEdit *m_lastName = nullptr;
    QComboBox *m_month = nullptr;
    QComboBox *m_day = nullptr;
    QComboBox *m_year = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_exit = nullptr;
    Offers m_offers{};
};

} // namespace aromelle
