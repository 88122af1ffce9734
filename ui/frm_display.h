// The profile window: one reading on two tabs, and Back to the input window. It is
// built afresh for every reading, so each one starts from the same design state.
#pragma once

#include "menu_window.h"

class QLabel;
class QPixmap;
class QPlainTextEdit;
class QTabWidget;
class QPushButton;
class QTabBar;

namespace aromelle {
struct SignProfile;
}

class FrmDisplay : public aromelle::MenuWindow {
    Q_OBJECT
public:
    FrmDisplay();

    // Shows one sign's reading: its texts and its picture.
    void showProfile(const aromelle::SignProfile &profile, const QPixmap &picture);

    // The value controls the reading writes.
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

    void cmdBack_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildSunSignTab(QWidget *page);
    void buildPerfumeTab(QWidget *page);
    void buildMenus();
    void placeTabFrames();
    void describeTabs();
    void announceCurrentTab();

    QTabWidget *m_tabs = nullptr;
    QTabBar *m_tabBar = nullptr;
    QWidget *m_sunSignFrame = nullptr;
    QWidget *m_perfumeFrame = nullptr;
    QPushButton *m_back = nullptr;
    bool m_shownOnce = false;
};
