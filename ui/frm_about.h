// The about window: the program's name, what it does, and two links. Modal, built
// afresh for every showing.
#pragma once

#include "services.h"

#include <QDialog>

namespace aromelle {

class FrmAbout : public QDialog {
    Q_OBJECT
public:
    // Its links open their pages through the services' opener.
    explicit FrmAbout(const Services &services, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace aromelle
