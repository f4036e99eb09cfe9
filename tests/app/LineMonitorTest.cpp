// The status bar and the "Line Statistics" window on a pseudo-terminal receiver.

#include <QComboBox>
#include <QMdiArea>
#include <QMenu>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "LineMonitor.h"
#include "LineStatisticsView.h"
#include "MainStatusBar.h"
#include "ProgramFixture.h"
#include "PseudoTerminal.h"
#include "TData.h"

namespace {

QString Cell(LineStatisticsView* window, const QString& name) {
    for (int row = 0; window != nullptr && row < window->table->rowCount(); ++row) {
        if (window->table->item(row, 0)->text() == name) {
            return window->table->item(row, 1)->text();
        }
    }
    return "<no row " + name + ">";
}

TEST_F(ProgramTest, LineStatisticsOpensFromTheViewMenuAndCountsTheLine) {
    CreateProgram();
    // Start-up still makes thirteen windows: the main window, five views, seven dialogs.
    EXPECT_EQ(Main().mdiArea->subWindowList().size(), 5);
    EXPECT_EQ(Main().findChildren<QDialog*>(QString(), Qt::FindDirectChildrenOnly).size(), 7);
    EXPECT_EQ(Main().findChild<LineStatisticsView*>(), nullptr);
    EXPECT_EQ(Main().StatusBar1->stateField->text(), "Stopped");
    EXPECT_EQ(Main().View1->actions().indexOf(Main().LineStatistics1), 5) << "after the five views";

    PseudoTerminal receiver;
    Windows().Data->comsetting->setEditText(QString::fromStdString(receiver.Path()));
    Windows().Data->BitBtn1Click();
    Main().Start1Click();
    EXPECT_EQ(Main().StatusBar1->sourceField->text(),
              QString::fromStdString(receiver.Path()) + " 4800 8N1");
    EXPECT_EQ(Main().StatusBar1->stateField->text(), "Waiting for data");

    Main().LineStatistics1->trigger();
    auto* window = Main().lineMonitor->Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Line Statistics");
    EXPECT_EQ(Main().mdiArea->subWindowList().size(), 6);

    const std::string bytes =
        "xx$GPGGA,091519.00,4807.038,N,01131.000,E,1,06,0.9,545.4,M,46.9,M,,*6F\r\n"
        "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n"
        "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*00\r\n"
        "$PGRME,15.0,M,22.5,M,27.0,M*1A\r\n";
    ASSERT_TRUE(receiver.Write(bytes));
    ASSERT_TRUE(WaitFor([&] {
        return Cell(window, "Bytes received") == QString::number(bytes.size()) &&
               Main().StatusBar1->fixField->text() == "3D fix, 6 satellites";
    })) << Cell(window, "Bytes received").toStdString();
    EXPECT_EQ(Main().StatusBar1->stateField->text(), "Receiving");
    EXPECT_EQ(Cell(window, "Sentences framed"), "4");
    EXPECT_EQ(Cell(window, "Checksum errors"), "1");
    EXPECT_EQ(Cell(window, "$PGRME"), "1");

    // Opening it again brings the same window forward.
    Main().LineStatistics1->trigger();
    EXPECT_EQ(Main().lineMonitor->Window(), window);
    Main().Stop1Click();
    EXPECT_EQ(Main().StatusBar1->stateField->text(), "Stopped");
    EXPECT_EQ(Main().StatusBar1->rateField->text(), "");
}

TEST_F(ProgramTest, AFailedStartDoesNotRetryAndPlaybackTellsItsEnd) {
    CreateProgram();
    QLabel* state = Main().StatusBar1->stateField;
    Windows().Data->comsetting->setEditText(QString::fromStdString(Path("gone").string()));
    Windows().Data->BitBtn1Click();
    QTest::mouseClick(Main().SpeedButton6, Qt::LeftButton);
    EXPECT_EQ(ReportedErrors(), QStringList({"Error opening serial port."}));
    EXPECT_EQ(state->text(), "Stopped");
    EXPECT_FALSE(Main().lineMonitor->findChild<QTimer*>("LineTimer")->isActive());

    WriteFile("two.log", "$GPGSA,A,2,04,05,,,,,,,,,,,2.5,1.3,2.1*34\r\n$GPGLL,1*4D\r\n");
    Windows().Data->file->click();
    nextChosenFile = QString::fromStdString(Path("two.log").string());
    Windows().Data->browseClick();
    Windows().Data->BitBtn1Click();
    Main().Start1Click();
    EXPECT_EQ(Main().StatusBar1->sourceField->text(), "two.log");
    Main().Timer2Timer();
    EXPECT_EQ(state->text(), "Playback finished");
    EXPECT_EQ(Main().lineMonitor->Statistics().Counts().sentences, 2u);
}

}  // namespace
