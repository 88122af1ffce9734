// The about window: the program's name, what it does, and two links. Modal, built
// afresh for every showing.
#pragma once

#include <QDialog>

namespace aromelle {

class FrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit FrmAbout(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace aromelle
