#include "Tviewsetting.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "CatchingApplication.h"
#include "ConvertError.h"

class TviewsettingTest : public QObject {
    Q_OBJECT

private:
    AppState state;

private slots:
    void init() { state = AppState{}; }

    void isTheNamedDialog() {
        Tviewsetting dialog(state);
        QCOMPARE(dialog.objectName(), QString("viewsetting"));
        QCOMPARE(dialog.windowTitle(), QString("Tracking View Configuration"));
        QCOMPARE(dialog.size(), QSize(546, 427));
        QVERIFY(dialog.isModal());
    }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("BitBtn1") << "BitBtn1"
                                 << "viewsetting"
                                 << "OK" << QRect(434, 10, 95, 31);
        QTest::newRow("BitBtn2") << "BitBtn2"
                                 << "viewsetting"
                                 << "Cancel" << QRect(434, 50, 95, 31);
        QTest::newRow("GroupBox1") << "GroupBox1"
                                   << "viewsetting"
                                   << "Satellite Information" << QRect(16, 8, 361, 177);
        QTest::newRow("Label6") << "Label6"
                                << "GroupBox1"
                                << "Satellit with lock, used in calculation"
                                << QRect(64, 32, 209, 16);
        QTest::newRow("Label10") << "Label10"
                                 << "GroupBox1"
                                 << "Center point is directly overhead (Elevation=90)"
                                 << QRect(16, 128, 279, 16);
        QTest::newRow("Label3") << "Label3"
                                << "GroupBox1"
                                << "Green:" << QRect(8, 32, 41, 16);
        QTest::newRow("Label4") << "Label4"
                                << "GroupBox1"
                                << "Blue:" << QRect(16, 56, 30, 16);
        QTest::newRow("Label5") << "Label5"
                                << "GroupBox1"
                                << "Red:" << QRect(16, 80, 29, 16);
        QTest::newRow("Label7") << "Label7"
                                << "GroupBox1"
                                << "Satellit with lock, not used" << QRect(64, 56, 150, 16);
        QTest::newRow("Label8") << "Label8"
                                << "GroupBox1"
                                << "Satellite without lock, not used" << QRect(64, 80, 176, 16);
        QTest::newRow("Label9") << "Label9"
                                << "GroupBox1"
                                << "Outer circle represents the horizon (Elevation=0)"
                                << QRect(16, 104, 282, 16);
        QTest::newRow("Label11")
            << "Label11"
            << "GroupBox2"
            << "Arrowhead represents true direction of travel and velocity, where the"
            << QRect(8, 24, 399, 16);
        QTest::newRow("Label12")
            << "Label12"
            << "GroupBox2"
            << "outer circle represents the velocity entered below, and the inner circle"
            << QRect(8, 40, 407, 16);
        QTest::newRow("Label13") << "Label13"
                                 << "GroupBox2"
                                 << "is half that." << QRect(8, 56, 61, 16);
        QTest::newRow("Label15")
            << "Label15"
            << "GroupBox2"
            << "X represents the measured direction of travel and position, where the"
            << QRect(8, 96, 441, 16);
        QTest::newRow("Label16")
            << "Label16"
            << "GroupBox2"
            << "outer circle represents the distance entered below, and the inner circle"
            << QRect(8, 112, 412, 16);
        QTest::newRow("Label17") << "Label17"
                                 << "GroupBox2"
                                 << "is half that." << QRect(8, 128, 61, 16);
        QTest::newRow("Label18") << "Label18"
                                 << "GroupBox2"
                                 << "Outer circle position:" << QRect(56, 152, 120, 16);
        QTest::newRow("GroupBox2")
            << "GroupBox2"
            << "viewsetting"
            << "True and Measured Position Information" << QRect(16, 200, 473, 185);
        QTest::newRow("Label14") << "Label14"
                                 << "GroupBox2"
                                 << "Outer circle velocity: " << QRect(56, 80, 122, 16);
        QTest::newRow("velocityedit") << "velocityedit"
                                      << "GroupBox2"
                                      << "4.0" << QRect(193, 73, 96, 24);
        QTest::newRow("Label1") << "Label1"
                                << "GroupBox2"
                                << "m/s" << QRect(296, 77, 49, 20);
        QTest::newRow("Edit1") << "Edit1"
                               << "GroupBox2"
                               << "20" << QRect(192, 144, 97, 24);
        QTest::newRow("Label19") << "Label19"
                                 << "GroupBox2"
                                 << "m" << QRect(296, 144, 11, 16);
        QTest::newRow("GroupBox3") << "GroupBox3"
                                   << "viewsetting"
                                   << "Orientation" << QRect(392, 104, 145, 81);
        QTest::newRow("RadioButton1") << "RadioButton1"
                                      << "GroupBox3"
                                      << "&North Up" << QRect(16, 24, 113, 17);
        QTest::newRow("RadioButton2") << "RadioButton2"
                                      << "GroupBox3"
                                      << "&Heading Up" << QRect(16, 48, 113, 17);
    }

    void controls() {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QString, text);
        QFETCH(QRect, geometry);
        Tviewsetting dialog(state);
        auto* control = dialog.findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->parentWidget()->objectName(), parent);
        // Placed as designed; a wider substitute font may have widened it to fit its text.
        QCOMPARE(control->pos(), geometry.topLeft());
        QCOMPARE(control->height(), geometry.height());
        QVERIFY(control->width() >= geometry.width());
        if (qobject_cast<QLabel*>(control) || qobject_cast<QRadioButton*>(control)) {
            QVERIFY(control->sizeHint().width() <= control->width());
        }
        QVERIFY(control->geometry().right() < control->parentWidget()->width());
        QString shown;
        if (auto* label = qobject_cast<QLabel*>(control)) {
            shown = label->text();
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            shown = edit->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            shown = button->text();
        } else if (auto* box = qobject_cast<QGroupBox*>(control)) {
            shown = box->title();
        }
        QCOMPARE(shown, text);
    }

    void northUpIsSelectedAtFirst() {
        Tviewsetting dialog(state);
        QVERIFY(dialog.RadioButton1->isChecked());
        QVERIFY(!dialog.RadioButton2->isChecked());
    }

    void okStoresTheVelocity_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("velocity");
        QTest::newRow("decimal") << "2.5" << 2.5f;
        QTest::newRow("blanks") << " 10 " << 10.0f;
        QTest::newRow("zero") << "0" << 0.0f;
        QTest::newRow("negative") << "-3" << -3.0f;
    }

    void okStoresTheVelocity() {
        QFETCH(QString, text);
        QFETCH(float, velocity);
        Tviewsetting dialog(state);
        dialog.velocityedit->setText(text);
        dialog.BitBtn1Click();
        QCOMPARE(state.velocityScale, velocity);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void okRejectsTextThatIsNoNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("word") << "fast";
        QTest::newRow("empty") << "";
        QTest::newRow("trailing") << "4.0x";
        QTest::newRow("beyond a float") << "1e40";
    }

    void okRejectsTextThatIsNoNumber() {
        QFETCH(QString, text);
        Tviewsetting dialog(state);
        dialog.velocityedit->setText(text);
        dialog.setResult(QDialog::Rejected);
        try {
            dialog.BitBtn1Click();
            QFAIL("no error for a text that is no number");
        } catch (const ConvertError& error) {
            QCOMPARE(QString(error.what()),
                     QString("'%1' is not a valid floating point value").arg(text));
        }
        QCOMPARE(state.velocityScale, 4.0f);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void cancelAppliesNothingAndKeepsTheText() {
        Tviewsetting dialog(state);
        dialog.velocityedit->setText("9");
        QTimer::singleShot(0, &dialog, [&] { QTest::mouseClick(dialog.BitBtn2, Qt::LeftButton); });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QCOMPARE(state.velocityScale, 4.0f);
        QCOMPARE(dialog.velocityedit->text(), QString("9"));
    }

    void okWithABadTextClosesTheDialogAndReportsTheError() {
        Tviewsetting dialog(state);
        dialog.velocityedit->setText("x1");
        CatchingApplication::Instance().lastError.clear();
        QTimer::singleShot(0, &dialog, [&] { QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton); });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(CatchingApplication::Instance().lastError,
                 std::string("'x1' is not a valid floating point value"));
        QCOMPARE(state.velocityScale, 4.0f);
        QVERIFY(!dialog.isVisible());
    }

    void okButtonClosesTheShownDialog() {
        Tviewsetting dialog(state);
        dialog.velocityedit->setText("6");
        QTimer::singleShot(0, &dialog, [&] { QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton); });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(state.velocityScale, 6.0f);
    }
};

int main(int argc, char** argv) {
    CatchingApplication app(argc, argv);
    TviewsettingTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "TviewsettingTest.moc"
