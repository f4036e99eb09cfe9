#include "TAbout.h"

#include <QLabel>
#include <QPushButton>

#include "KelmstarVersion.h"
#include "ScreenCentre.h"
#include "ToolbarGlyphs.h"

TAbout::TAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("About");
    setWindowTitle("About Kelmstar Demo");
    setFixedSize(537, 132);
    CentreOnScreen(*this);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setGeometry(16, 16, 64, 64);
    ProgramIcon->setPixmap(ProgramPicture(64));

    ProductName = new QLabel("Ruzizuvuz Demo NMEA Version", this);
    ProductName->setObjectName("ProductName");
    ProductName->setGeometry(96, 20, 420, 24);
    QFont bold = ProductName->font();
    bold.setBold(true);
    ProductName->setFont(bold);

    Comments = new QLabel(QString("Shows and logs what a GPS receiver reports over NMEA 0183.\n"
                                  "Version %1")
                              .arg(kKelmstarVersion),
                          this);
    Comments->setObjectName("Comments");
    Comments->setGeometry(96, 48, 420, 36);

    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setGeometry(226, 92, 85, 28);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}
