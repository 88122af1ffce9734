// The profile window: one reading on two tabs, and Back to the input window. It is
// built afresh for every reading, so each one starts from the same design state.
#pragma once

#include "menu_window.h"

#include <array>

class QLabel;
class QPixmap;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QTabWidget;

namespace aromelle {

struct SignProfile;

class FrmDisplay : public MenuWindow {
    Q_OBJECT
public:
    explicit FrmDisplay(const Services &services);

    // Shows one sign's reading: its texts and its picture. Until the window first
    // shows, its picture box is empty; the design's picture goes in then if no
    // reading's has.
    void showProfile(const SignProfile &profile, const QPixmap &picture);

    // The Back button's handler; the File menu entry runs it too.
    void cmdBack_Click();

signals:
    void backRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void firstShown() override;

private:
    void buildSunSignTab(QWidget *page);
    void buildPerfumeTab(QWidget *page);
    // Tab 0's value labels, in the order of its rows.
    std::array<QLabel **, 6> rowValues();
    void describeTabs();
    void announceCurrentTab();
    // Takes a trait box's selection out of the X primary selection.
    void keepTraitsUnselected();

    // The value controls a reading fills.
    QLabel *lblSunSign = nullptr;
    QLabel *lblSunSignElement = nullptr;
    QLabel *lblSunSignNumber = nullptr;
    QLabel *lblSunSignDay = nullptr;
    QLabel *lblSunSignCompatibility = nullptr;
    QLabel *lblSunSignBirthStone = nullptr;
    QPlainTextEdit *txtSunSignPositiveTraits = nullptr;
    QPlainTextEdit *txtSunSignNegativeTraits = nullptr;
    QLabel *picSunSign = nullptr;
    QLabel *lblFragrances = nullptr;
    QLabel *lblPerfume = nullptr;
    QPlainTextEdit *txtAromelle = nullptr;

    QTabWidget *m_tabs = nullptr;
    QTabBar *m_tabBar = nullptr;
    QWidget *m_sunSignFrame = nullptr;
    QWidget *m_perfumeFrame = nullptr;
    QPushButton *m_back = nullptr;
};

} // namespace aromelle
