#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "ProgramFixture.h"
#include "TLevel.h"
#include "TParameter.h"
#include "TSource.h"
#include "TTracking.h"
#include "TView.h"

namespace {

TEST_F(ProgramTest, AClosedViewIsCreatedAnewFromTheMenu) {
    CreateProgram();
    Windows().Parameter->ShowMeasuredValues(SentenceType::Gga, [] {
        NavState nav;
        nav.altitude = 12.5f;
        return nav;
    }());
    EXPECT_EQ(LabelText(Windows().Parameter, "heightlabel"), "12.5");
    QPointer<TParameter> old = Windows().Parameter;
    old->close();
    FlushDeletes();
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(State().measuredViewOpen, 0);
    EXPECT_EQ(Main().mdiArea->subWindowList().size(), 4);

    Main().Parameter1Click();
    EXPECT_EQ(State().measuredViewOpen, 1);
    EXPECT_EQ(LabelText(Windows().Parameter, "heightlabel"), "0.0");
    EXPECT_EQ(Main().mdiArea->subWindowList().size(), 5);

    // While it exists the menu item only brings it back.
    QPointer<TParameter> current = Windows().Parameter;
    current->showMinimized();
    Main().Parameter1Click();
    EXPECT_EQ(Windows().Parameter, current);
    EXPECT_FALSE(current->isMinimized());
    EXPECT_EQ(Main().mdiArea->subWindowList().size(), 5);
}

TEST_F(ProgramTest, EachViewFlagFollowsItsWindow) {
    CreateProgram();
    struct Case {
        std::function<QMdiSubWindow*()> window;
        std::int32_t AppState::*flag;
        void (TMainForm::*open)();
    };
    const Case cases[] = {
        {[&] { return Windows().View.data(); }, &AppState::trackingViewOpen,
         &TMainForm::View2Click},
        {[&] { return Windows().Tracking.data(); }, &AppState::mapViewOpen,
         &TMainForm::Tracking1Click},
        {[&] { return Windows().Level.data(); }, &AppState::signalLevelViewOpen,
         &TMainForm::Level1Click},
        {[&] { return Windows().Source.data(); }, &AppState::messageViewOpen,
         &TMainForm::Source1Click},
    };
    for (const Case& c : cases) {
        c.window()->close();
        FlushDeletes();
        EXPECT_EQ(State().*c.flag, 0);
        EXPECT_EQ(c.window(), nullptr);
        (Main().*c.open)();
        EXPECT_EQ(State().*c.flag, 1);
        ASSERT_NE(c.window(), nullptr);
    }
    // "&Map" opens the window titled "Tracking View", "&Tracking" the "Map View".
    EXPECT_EQ(Windows().View->windowTitle(), "Tracking View");
    EXPECT_EQ(Windows().Tracking->windowTitle(), "Map View");
}

TEST_F(ProgramTest, ToolbarButtonMinimisesThenRestoresAndTiles) {
    CreateProgram();
    Main().resize(800, 600);
    QCoreApplication::processEvents();
    TLevel* level = Windows().Level;
    Main().SpeedButton2Click();
    EXPECT_TRUE(level->isMinimized());
    // The four others share the client area's height, one above another, full width.
    const QRect client = Main().mdiArea->viewport()->rect();
    int heights = 0;
    for (QMdiSubWindow* child : Main().mdiArea->subWindowList()) {
        if (!child->isMinimized()) {
            EXPECT_EQ(child->width(), client.width());
            heights += child->height();
        }
    }
    EXPECT_EQ(heights, client.height() - level->height());  // the icon keeps the bottom strip
    Main().SpeedButton2Click();
    EXPECT_FALSE(level->isMinimized());
    EXPECT_EQ(level->width(), client.width());
    EXPECT_EQ(level->height(), client.height() / 5);

    // A toolbar button creates a closed view anew.
    level->close();
    FlushDeletes();
    Main().SpeedButton2Click();
    EXPECT_EQ(State().signalLevelViewOpen, 1);
    EXPECT_NE(Windows().Level, nullptr);
}

TEST_F(ProgramTest, TilingLeavesTheBottomStripToMinimisedIcons) {
    CreateProgram();
    Main().resize(800, 600);
    QCoreApplication::processEvents();
    Main().SpeedButton2Click();
    Main().SpeedButton3Click();
    const QRect client = Main().mdiArea->viewport()->rect();
    int lowestBottom = 0;
    for (QMdiSubWindow* icon :
         std::initializer_list<QMdiSubWindow*>{Windows().Level, Windows().View}) {
        ASSERT_TRUE(icon->isMinimized());
        EXPECT_EQ(icon->geometry().bottom(), client.bottom());
        for (QMdiSubWindow* child : Main().mdiArea->subWindowList()) {
            if (!child->isMinimized()) {
                EXPECT_FALSE(child->geometry().intersects(icon->geometry()))
                    << child->windowTitle().toStdString();
                lowestBottom = std::max(lowestBottom, child->geometry().bottom());
            }
        }
    }
    EXPECT_EQ(lowestBottom + 1, Windows().Level->y());
}

TEST_F(ProgramTest, ResizingTheFrameTilesTheChildren) {
    CreateProgram();
    Main().WindowCascadeItemClick();
    Main().resize(700, 560);
    QCoreApplication::processEvents();
    const QRect client = Main().mdiArea->viewport()->rect();
    for (QMdiSubWindow* child : Main().mdiArea->subWindowList()) {
        EXPECT_EQ(child->x(), 0);
        EXPECT_EQ(child->width(), client.width());
    }
}

TEST_F(ProgramTest, ClosingTheLastViewDisablesTheWindowCommands) {
    CreateProgram();
    for (QMdiSubWindow* child : Main().mdiArea->subWindowList()) {
        child->close();
    }
    FlushDeletes();
    for (QAction* item : {Main().WindowCascadeItem, Main().WindowTileItem, Main().WindowArrangeItem,
                          Main().WindowMinimizeItem}) {
        EXPECT_FALSE(item->isEnabled()) << item->objectName().toStdString();
    }
}

TEST_F(ProgramTest, WindowCommandsNeedAChild) {
    CreateProgram();
    Main().WindowMinimizeItemClick();
    for (QMdiSubWindow* child : Main().mdiArea->subWindowList()) {
        EXPECT_TRUE(child->isMinimized()) << child->windowTitle().toStdString();
    }
    for (QMdiSubWindow* child : Main().mdiArea->subWindowList()) {
        child->close();
    }
    FlushDeletes();
    Main().UpdateMenuItems();
    EXPECT_FALSE(Main().WindowCascadeItem->isEnabled());
    EXPECT_FALSE(Main().WindowMinimizeItem->isEnabled());
}

}  // namespace
