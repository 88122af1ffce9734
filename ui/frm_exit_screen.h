// The exit screen: the last window of a run. It promotes the maker's site and other
// programs, carries the refer-a-friend form, and closing it ends the program. It is
// loaded, hidden, at the first reading, when its plea is chosen; most runs end
// without showing it, so its controls are built only when it is first shown.
#pragma once

#include "services.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace aromelle {

class FrmExitScreen : public QWidget {
    Q_OBJECT
public:
    explicit FrmExitScreen(const Services &services);

    void cmdSubmit_Click();
    void Check1_Click(bool ticked);

    void setVisible(bool visible) override;

signals:
    void exitRequested(); // Exit, or the window closed: the program ends

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();
    void buildControls();
    QString boxText(QWidget *box) const;
    void setBoxText(QWidget *box, const QString &text);
    // Empties the box that took the focus if it still shows its placeholder.
    void clearPlaceholder();
    // Keeps a placeholder from mixing with text that reaches its box some other way.
    void textChanged(QWidget *box);

    const Services &m_services;
    QString m_pleaText; // chosen when the screen is loaded, shown in Label2
    QCheckBox *m_visit = nullptr;
    QPushButton *m_close = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_email = nullptr;
    QLineEdit *m_friendName = nullptr;
    QLineEdit *m_friendEmail = nullptr;
    QPlainTextEdit *m_message = nullptr;
    QPointer<QWidget> m_placeholderToClear;
    QList<QWidget *> m_showingPlaceholder; // the boxes whose text is their placeholder
    bool m_settingText = false;
};

} // namespace aromelle
