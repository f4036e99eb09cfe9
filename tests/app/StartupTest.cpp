#include <QAction>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include "ProgramFixture.h"
#include "TAbout.h"
#include "TData.h"
#include "TErrorDialog.h"
#include "TParameter.h"
#include "TSource.h"

namespace {

TEST_F(ProgramTest, StartsIdleWithTheFiveViewsOpen) {
    CreateProgram();
    EXPECT_EQ(Main().windowTitle(), "Kelmstar Demo NMEA Version");
    EXPECT_EQ(Main().mdiArea->subWindowList().size(), 5);
    for (std::int32_t flag :
         {State().measuredViewOpen, State().signalLevelViewOpen, State().messageViewOpen,
          State().mapViewOpen, State().trackingViewOpen}) {
        EXPECT_EQ(flag, 1);
    }
    QStringList titles;
    for (QMdiSubWindow* child : Main().mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        titles << child->windowTitle();
    }
    EXPECT_EQ(titles,
              QStringList({"Tracking View", "Message View", "Map View",
                           "12-Channel Signal Level View", "Measured Navigation Message View"}));
    EXPECT_TRUE(Main().SpeedButton6->isEnabled());
    EXPECT_FALSE(Main().SpeedButton7->isEnabled());
    EXPECT_FALSE(Main().SpeedButton5->isEnabled());
    EXPECT_FALSE(Main().SpeedButton1->isEnabled());
    EXPECT_TRUE(Main().OpenBtn->isEnabled());
    EXPECT_FALSE(Main().Timer1->isActive());
    EXPECT_EQ(Main().Timer1->interval(), 130);
    EXPECT_EQ(Main().Timer2->interval(), 1000);
    EXPECT_EQ(Main().Comm1.CommName(), "COM2");
    EXPECT_EQ(Main().Comm1.BaudRate(), 4800);
    EXPECT_TRUE(Main().WindowTileItem->isEnabled());
}

TEST_F(ProgramTest, MenusCarryTheirCaptions) {
    CreateProgram();
    const std::pair<const char*, const char*> items[] = {
        {"FileOpenItem", "&Data &Source"},
        {"AboutKelmstarDemo1", "&About Kelmstar Demo"},
        {"Exit1", "E&xit"},
        {"Parameter1", "&Measured Message"},
        {"Level1", "&Signal Level"},
        {"View2", "&Map"},
        {"Tracking1", "&Tracking"},
        {"Source1", "&Data"},
        {"Start1", "&Start"},
        {"Stop1", "S&top"},
        {"SentenceSetup1", "Sentence Se&tup"},
        {"WindowCascadeItem", "&Cascade"},
        {"WindowTileItem", "&Tile"},
        {"WindowArrangeItem", "&Arrange Icons"},
        {"WindowMinimizeItem", "&Minimize All"},
    };
    for (const auto& [name, caption] : items) {
        auto* action = Main().findChild<QAction*>(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->text(), caption) << name;
    }
    // The program's own Setup items stand together above "Exit", after a separator.
    const QList<QAction*> setup = Main().File1->actions();
    ASSERT_GE(setup.size(), 7);
    EXPECT_EQ(setup.last(), Main().Exit1);
    EXPECT_TRUE(setup[setup.size() - 2]->isSeparator());
    EXPECT_EQ(setup.indexOf(Main().ShareOnNetwork1), 4);
    EXPECT_EQ(Main().File1->title(), "&Setup");
    EXPECT_EQ(Main().View1->title(), "&View");
    EXPECT_EQ(Main().Operate1->title(), "&Action");
    EXPECT_EQ(Main().Window1->title(), "&Window");
}

TEST_F(ProgramTest, AboutBoxAndErrorDialogAreCentredOnTheScreenNotOnTheMainWindow) {
    CreateProgram();
    Main().move(0, 0);
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    for (QDialog* dialog :
         std::initializer_list<QDialog*>{Windows().About, Windows().ErrorDialog}) {
        dialog->show();
        QCoreApplication::processEvents();
        // Within the few pixels of the window frame, which is not known before it is shown.
        EXPECT_LE((dialog->geometry().center() - screenCentre).manhattanLength(), 8)
            << dialog->objectName().toStdString();
        dialog->hide();
    }
}

TEST_F(ProgramTest, ToolbarButtonsSitAtTheirOffsets) {
    CreateProgram();
    const std::pair<const char*, int> buttons[] = {
        {"OpenBtn", 9},        {"SpeedButton2", 44},  {"SpeedButton3", 70},  {"SpeedButton4", 96},
        {"SpeedButton6", 132}, {"SpeedButton7", 158}, {"SpeedButton1", 184}, {"SpeedButton5", 221},
    };
    for (const auto& [name, left] : buttons) {
        auto* button = Main().findChild<QToolButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->geometry(), QRect(left, 4, 25, 25)) << name;
    }
    // Every button of the panel, the playback's included, says what it does.
    for (auto* button : Main().SpeedPanel->findChildren<QToolButton*>()) {
        EXPECT_FALSE(button->toolTip().isEmpty()) << button->objectName().toStdString();
    }
}

TEST_F(ProgramTest, StoredPortNumberNamesThePort) {
    struct Case {
        const char* firstLine;
        const char* commName;
        int selected;
    };
    const Case cases[] = {{"3", "COM3", 2}, {"1", "COM1", 0}, {"0", "COM2", -1}, {"7", "COM2", -1}};
    for (const Case& c : cases) {
        WriteFile("pelzo.cfg",
                  std::string(c.firstLine) + "\n24.1\n121.4\n0\n75000\n1990\n1\n2\n12\n0\n0\n12");
        CreateProgram();
        EXPECT_EQ(Main().Comm1.CommName(), c.commName) << c.firstLine;
        EXPECT_EQ(Windows().Data->comsetting->currentIndex(), c.selected) << c.firstLine;
        if (c.selected < 0) {
            EXPECT_EQ(Windows().Data->comsetting->currentText(), "") << c.firstLine;
        }
        program.reset();
    }
}

TEST_F(ProgramTest, MissingOrBrokenSettingsFileKeepsTheDefaults) {
    const std::string contents[] = {"", std::string("\x01\xff\x00\x10", 4), "COM3\n",
                                    "99999999999"};
    for (const std::string& content : contents) {
        WriteFile("pelzo.cfg", content);
        CreateProgram();
        EXPECT_EQ(Main().Comm1.CommName(), "COM2");
        EXPECT_EQ(State().portNumber, 0);
        program.reset();
    }
    // A huge file: the first value counts, the rest is not read.
    WriteFile("pelzo.cfg", "2\n" + std::string(20 << 20, 'x'));
    CreateProgram();
    EXPECT_EQ(State().portNumber, 2);
    program.reset();
    std::filesystem::remove(Path("pelzo.cfg"));
    std::filesystem::create_directory(Path("pelzo.cfg"));  // a directory in its place
    CreateProgram();
    EXPECT_EQ(Main().Comm1.CommName(), "COM2");
}

}  // namespace
