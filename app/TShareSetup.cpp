#include "TShareSetup.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "OkCancelButtons.h"

TShareSetup::TShareSetup(QWidget* parent) : QDialog(parent) {
    setObjectName("ShareSetup");
    setWindowTitle("Share on Network");
    enabled = new QCheckBox("Share the received sentences over TCP");
    enabled->setObjectName("enabled");
    port = new QSpinBox;
    port->setObjectName("port");
    port->setRange(1, 65535);
    thisComputer = new QRadioButton("This computer only");
    thisComputer->setObjectName("thisComputer");
    allNetworks = new QRadioButton("All networks");
    allNetworks->setObjectName("allNetworks");
    warning = new QLabel("Anyone on the network can then read the position.");
    warning->setObjectName("warning");
    warning->setStyleSheet("color: #a00000");
    QDialogButtonBox* buttons = OkCancelButtons(*this, BitBtn1, BitBtn2);
    connect(allNetworks, &QRadioButton::toggled, warning, &QLabel::setVisible);

    auto* form = new QFormLayout;
    form->addRow("TCP port:", port);
    form->addRow("Who may connect:", thisComputer);
    form->addRow("", allNetworks);
    form->addRow("", warning);
    auto* column = new QVBoxLayout(this);
    column->addWidget(enabled);
    column->addLayout(form);
    column->addWidget(buttons);
    Show(ShareSettings{});
}

void TShareSetup::Show(const ShareSettings& settings) {
    enabled->setChecked(settings.enabled);
    port->setValue(settings.port);
    (settings.allNetworks ? allNetworks : thisComputer)->setChecked(true);
    warning->setVisible(settings.allNetworks);
}

ShareSettings TShareSetup::Chosen() const {
    return {enabled->isChecked(), static_cast<quint16>(port->value()), allNetworks->isChecked()};
}
