#include "TsentencesetupTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <array>

#include "CatchingApplication.h"
#include "ConvertError.h"
#include "DialogChecks.h"
#include "RecordingLink.h"
#include "Tsentencesetup.h"

namespace {

// The built-in selection goes out as these bodies, with these checksums.
const std::array<std::pair<std::string, std::string>, 6> kBuiltInCommands{{
    {"$PQKL103,00,00,01,01*", "34"},
    {"$PQKL103,01,00,00, 1*", "24"},
    {"$PQKL103,02,00,01,01*", "36"},
    {"$PQKL103,03,00,01,01*", "37"},
    {"$PQKL103,04,00,01,01*", "30"},
    {"$PQKL103,05,00,00, 1*", "20"},
}};

std::string BodyOf(const std::string& frames) {
    return frames.substr(0, frames.find('*') + 1);
}

std::array<QCheckBox*, 6> Boxes(const Tsentencesetup& d) {
    return {d.GGA, d.GLL, d.GSA, d.GSV, d.RMC, d.VTG};
}

std::array<QComboBox*, 6> RateBoxes(const Tsentencesetup& d) {
    return {d.GGArate, d.GLLrate, d.GSArate, d.GSVrate, d.RMCrate, d.VTGrate};
}

void VerifyBuiltInState(const Tsentencesetup& dialog) {
    const std::array<bool, 6> ticked{true, false, true, true, true, false};
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(Boxes(dialog)[i]->isChecked(), ticked[i]);
        QCOMPARE(RateBoxes(dialog)[i]->currentText(), QString("1"));
    }
    QVERIFY(dialog.usechecksum->isChecked());
}

}  // namespace

void TsentencesetupTest::hasTheBuiltInSelection() {
    RecordingLink link;
    Tsentencesetup dialog(link);
    QCOMPARE(dialog.objectName(), QString("sentencesetup"));
    QCOMPARE(dialog.windowTitle(), QString("Sentence Setup"));
    QCOMPARE(dialog.GroupBox1->title(), QString("NMEA Messages"));
    QCOMPARE(dialog.GroupBox2->title(), QString("Update Rate 1/n Seconds"));
    QCOMPARE(dialog.usechecksum->text(), QString("Use Chechsums"));
    QCOMPARE(dialog.BitBtn1->text(), QString("Send"));
    QCOMPARE(dialog.BitBtn2->text(), QString("Cancel"));
    QCOMPARE(dialog.setdefaults->text(), QString("Set Defaults"));
    const QStringList names{"GGA", "GLL", "GSA", "GSV", "RMC", "VTG"};
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(Boxes(dialog)[i]->objectName(), names[i]);
        QCOMPARE(Boxes(dialog)[i]->text(), names[i]);
        const QComboBox* rate = RateBoxes(dialog)[i];
        QCOMPARE(rate->objectName(), names[i] + "rate");
        QVERIFY(rate->isEditable());
        QCOMPARE(rate->count(), 10);
        for (int item = 0; item < 10; ++item) {
            QCOMPARE(rate->itemText(item), QString::number(item + 1));
        }
    }
    VerifyBuiltInState(dialog);
}

void TsentencesetupTest::sendsSixCommandsInCodeOrder() {
    RecordingLink link;
    Tsentencesetup dialog(link);
    dialog.BitBtn1Click();
    QCOMPARE(link.writes.size(), size_t{6});
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(link.writes[i], FiveFrames(kBuiltInCommands[i].first, kBuiltInCommands[i].second));
    }
    QCOMPARE(link.calls, std::vector<std::string>(6, "write"));  // nothing is reset
}

void TsentencesetupTest::sendsClearedBoxesAsSwitchedOff() {
    RecordingLink link;
    Tsentencesetup dialog(link);
    for (QCheckBox* box : Boxes(dialog)) {
        box->setChecked(false);
    }
    dialog.BitBtn1Click();
    QCOMPARE(link.writes.size(), size_t{6});
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(BodyOf(link.writes[i]), "$PQKL103,0" + std::to_string(i) + ",00,00, 1*");
    }
}

void TsentencesetupTest::checksumFlagFollowsItsBox() {
    RecordingLink link;
    Tsentencesetup dialog(link);
    dialog.usechecksum->setChecked(false);
    dialog.GGArate->setCurrentIndex(4);
    dialog.BitBtn1Click();
    QCOMPARE(link.writes[0], FiveFrames("$PQKL103,00,00,05,00*", "31"));
    QCOMPARE(BodyOf(link.writes[1]), std::string("$PQKL103,01,00,00, 0*"));
}

void TsentencesetupTest::sendsTypedRatesAsTheyAre() {
    RecordingLink link;
    Tsentencesetup dialog(link);
    dialog.show();
    dialog.GSArate->lineEdit()->clear();
    QTest::keyClicks(dialog.GSArate->lineEdit(), "-3");
    dialog.RMCrate->setEditText(" 100 ");
    dialog.GSVrate->setCurrentIndex(9);
    dialog.BitBtn1Click();
    QCOMPARE(BodyOf(link.writes[2]), std::string("$PQKL103,02,00,-3,01*"));
    QCOMPARE(BodyOf(link.writes[3]), std::string("$PQKL103,03,00,10,01*"));
    QCOMPARE(BodyOf(link.writes[4]), std::string("$PQKL103,04,00,100,01*"));
}

void TsentencesetupTest::typedRatesStayOutOfTheLists() {
    RecordingLink link;
    Tsentencesetup dialog(link);
    dialog.show();
    for (QComboBox* rate : RateBoxes(dialog)) {
        rate->lineEdit()->clear();
        QTest::keyClicks(rate->lineEdit(), "25");
        QTest::keyClick(rate->lineEdit(), Qt::Key_Return);
        QCOMPARE(rate->count(), 10);
        QCOMPARE(rate->currentText(), QString("25"));  // still sent as typed
    }
    dialog.setdefaultsClick();
    for (QComboBox* rate : RateBoxes(dialog)) {
        QCOMPARE(rate->findText("25"), -1);
    }
}

void TsentencesetupTest::badRateStopsAtItsSentence() {
    RecordingLink link;
    Tsentencesetup dialog(link);
    dialog.GSVrate->setEditText("fast");
    try {
        dialog.BitBtn1Click();
        QFAIL("Send did not stop");
    } catch (const ConvertError& error) {
        QCOMPARE(QString(error.what()), QString("'fast' is not a valid integer value"));
    }
    QCOMPARE(link.writes.size(), size_t{3});
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(BodyOf(link.writes[i]), kBuiltInCommands[i].first);
    }
}

void TsentencesetupTest::clearedBoxDoesNotReadItsRate() {
    RecordingLink link;
    Tsentencesetup dialog(link);
    dialog.GLLrate->setEditText("never");
    dialog.BitBtn1Click();
    QCOMPARE(link.writes.size(), size_t{6});
    QCOMPARE(BodyOf(link.writes[1]), kBuiltInCommands[1].first);
}

void TsentencesetupTest::sendButtonClosesEvenOnError() {
    RecordingLink link;
    Tsentencesetup dialog(link);
    auto& app = CatchingApplication::Instance();
    app.lastError.clear();
    dialog.GGArate->setEditText("");
    dialog.open();
    QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(app.lastError, std::string("'' is not a valid integer value"));
    QVERIFY(link.writes.empty());

    dialog.open();
    QTest::mouseClick(dialog.BitBtn2, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QVERIFY(link.writes.empty());
}

void TsentencesetupTest::setDefaultsRestoresAndStaysOpen() {
    RecordingLink link;
    Tsentencesetup dialog(link);
    for (QCheckBox* box : Boxes(dialog)) {
        box->toggle();
    }
    for (QComboBox* rate : RateBoxes(dialog)) {
        rate->setCurrentIndex(6);
    }
    dialog.VTGrate->setEditText("x");
    dialog.usechecksum->setChecked(false);
    dialog.open();
    QTest::mouseClick(dialog.setdefaults, Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    VerifyBuiltInState(dialog);
    QVERIFY(link.writes.empty());
    dialog.reject();
}

void TsentencesetupTest::selectionFollowsTheBoxes() {
    RecordingLink link;
    Tsentencesetup dialog(link);
    const std::array<SentenceType, 6> types{SentenceType::Gga, SentenceType::Gll,
                                            SentenceType::Gsa, SentenceType::Gsv,
                                            SentenceType::Rmc, SentenceType::Vtg};
    for (int i = 0; i < 6; ++i) {
        const bool before = dialog.IsSelected(types[i]);
        QCOMPARE(before, Boxes(dialog)[i]->isChecked());
        QTest::mouseClick(Boxes(dialog)[i], Qt::LeftButton);
        QCOMPARE(dialog.IsSelected(types[i]), !before);
    }
    QVERIFY(dialog.IsSelected(SentenceType::Other));
}

void TsentencesetupTest::textsFit() {
    RecordingLink link;
    Tsentencesetup dialog(link);
    VerifyTextsFit(dialog);
}
