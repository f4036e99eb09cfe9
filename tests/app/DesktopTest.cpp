// The program as a desktop user drives it: window arrangements, map zoom, the refused log.

#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "MapZoom.h"
#include "ProgramFixture.h"
#include "TData.h"
#include "TErrorDialog.h"
#include "TLevel.h"
#include "TLogFileSetting.h"
#include "TParameter.h"
#include "TSource.h"
#include "TTracking.h"
#include "TView.h"

namespace {

QList<QMdiSubWindow*> Views(TMainForm& main) {
    return main.mdiArea->subWindowList(QMdiArea::CreationOrder);
}

TEST_F(ProgramTest, CascadeLeavesEveryViewUsableAndTiledTextViewsScrollToTheirLastRows) {
    CreateProgram();
    Main().WindowTileItemClick();
    const std::pair<QScrollArea*, QWidget*> lastRows[] = {
        {Windows().Level->findChild<QScrollArea*>("LevelScroller"), Windows().Level->rows[11]},
        {Windows().Parameter->findChild<QScrollArea*>("ParameterScroller"),
         Windows().Parameter->findChild<QWidget*>("secondlabel")},
    };
    for (const auto& [scroller, last] : lastRows) {
        ASSERT_NE(scroller, nullptr);
        scroller->ensureWidgetVisible(last);
        EXPECT_GT(scroller->verticalScrollBar()->value(), 0) << last->objectName().toStdString();
        EXPECT_TRUE(scroller->viewport()->rect().contains(
            QRect(last->mapTo(scroller->viewport(), QPoint()), last->size())));
    }

    Main().WindowCascadeItemClick();
    const QRect client = Main().mdiArea->viewport()->rect();
    QSet<int> corners;
    for (QMdiSubWindow* view : Views(Main())) {
        EXPECT_GE(view->width(), 300) << view->windowTitle().toStdString();
        EXPECT_GE(view->height(), 150) << view->windowTitle().toStdString();
        EXPECT_TRUE(client.contains(view->geometry())) << view->windowTitle().toStdString();
        corners.insert(view->x());
    }
    EXPECT_EQ(corners.size(), 5);  // staggered, each title bar in sight
}

TEST_F(ProgramTest, TileGridKeepsItsCellsAcrossResizesUntilTileIsChosen) {
    CreateProgram();
    Main().WindowTileGridItemClick();
    for (const QSize frame : {QSize(624, 475), QSize(1200, 700), QSize(500, 900)}) {
        Main().resize(frame);
        QCoreApplication::processEvents();
        const QRect client = Main().mdiArea->viewport()->rect();
        QRegion covered;
        for (QMdiSubWindow* view : Views(Main())) {
            EXPECT_TRUE(client.contains(view->geometry()));
            EXPECT_FALSE(covered.intersects(view->geometry()));
            covered += view->geometry();
        }
        EXPECT_EQ(covered, QRegion(client)) << frame.width() << "x" << frame.height();
        for (QMdiSubWindow* plot : std::initializer_list<QMdiSubWindow*>{
                 Windows().View.data(), Windows().Tracking.data()}) {
            const double ratio = double(plot->width()) / plot->height();
            EXPECT_TRUE(ratio > 0.6 && ratio < 1.7) << frame.width() << "x" << frame.height();
        }
    }
    Main().WindowTileItemClick();
    Main().resize(700, 560);
    QCoreApplication::processEvents();
    for (QMdiSubWindow* view : Views(Main())) {
        EXPECT_EQ(view->width(), Main().mdiArea->viewport()->width());
    }
}

TEST_F(ProgramTest, TheMapZoomsByWheelKeysAndMenu) {
    CreateProgram();
    TTracking& map = *Windows().Tracking;
    auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(50, 50), map.mapToGlobal(QPointF(50, 50)), {}, {0, delta},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(map.widget(), &event);
    };
    auto key = [&](Qt::Key pressed) {
        QKeyEvent event(QEvent::KeyPress, pressed, Qt::NoModifier);
        QCoreApplication::sendEvent(map.widget(), &event);
    };
    const struct {
        const char* what;
        std::function<void()> act;
        int index;
    } steps[] = {
        {"starts at 100 m", [] {}, 1},
        {"wheel forward zooms in", [&] { wheel(120); }, 0},
        {"no step below 50 m", [&] { wheel(240); }, 0},
        {"half notches add up",
         [&] {
             wheel(-60);
             wheel(-60);
         },
         1},
        {"- key", [&] { key(Qt::Key_Minus); }, 2},
        {"Zoom Out", [&] { map.zoomout->trigger(); }, 3},
        {"+ key", [&] { key(Qt::Key_Plus); }, 2},
        {"Zoom In", [&] { map.zoomin->trigger(); }, 1},
        {"out to the widest", [&] { wheel(-120 * 20); }, MapZoom::kStepCount - 1},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(State().mapZoomIndex, step.index) << step.what;
    }
    const QList<QAction*> items = map.PopupMenu1->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0], map.setcenter);
    EXPECT_EQ(items[3]->text(), "Zoom to &Track");
}

// A drive of 9 km from the simulator, played back: Zoom to Track holds it all.
TEST_F(ProgramTest, ZoomToTrackHoldsTheWholeDrive) {
    QProcess simulator;
    simulator.start(KELMSTAR_SIM, {"--output=" + QString::fromStdString(Path("drive.log").string()),
                                   "--speed=30", "--duration=300", "--seed=7"});
    ASSERT_TRUE(simulator.waitForFinished(60000));
    CreateProgram();
    Windows().Data->file->click();
    nextChosenFile = QString::fromStdString(Path("drive.log").string());
    Windows().Data->browseClick();
    Windows().Data->BitBtn1Click();
    Main().Start1Click();
    for (int tick = 0; tick < 2000 && !std::feof(State().dataFile); ++tick) {
        Main().Timer2Timer();
        for (int i = 0; i < 8; ++i) {
            Main().Timer1Timer();
        }
    }
    ASSERT_GT(State().mapPointCount, 250);
    Windows().Tracking->zoomtotrackClick();
    const int step = State().mapZoomIndex;
    double farthest = 0.0;
    for (int i = 0; i < State().mapPointCount; ++i) {
        const TrackPoint point = program->Track().At(State().mapPointCount, i);
        if (point.east == 0.0f && point.north == 0.0f) {
            continue;  // no position yet
        }
        farthest = std::max(farthest, double(std::hypot(point.east - program->Centre().east,
                                                        point.north - program->Centre().north)));
    }
    EXPECT_GT(farthest, 5000.0);  // the drive leaves the 5 km step
    EXPECT_LE(farthest, MapZoom::ScaleMetres(State(), step));
    EXPECT_GT(farthest, MapZoom::ScaleMetres(State(), step - 1));
}

TEST_F(ProgramTest, ARefusedLogSaysWhyAndTheDialogShowsTheNameInUse) {
    WriteFile("in.log", "$GPRMC,120010,A,4807.038,N,01131.000,E,1.0,2.0,230394,,*00\r\n");
    CreateProgram();
    Windows().Data->file->click();
    nextChosenFile = QString::fromStdString(Path("in.log").string());
    Windows().Data->browseClick();
    Windows().Data->BitBtn1Click();
    Main().Start1Click();
    Windows().LogFileSetting->BrowseClick();
    Windows().LogFileSetting->BitBtn1Click();
    errorDialogTexts.clear();  // "File Exists!!!" on choosing it
    Main().Timer1Timer();
    EXPECT_TRUE(WaitFor([&] { return !errorDialogTexts.isEmpty(); }));
    EXPECT_TRUE(Windows().ErrorDialog->reasonlabel->text().contains("played back"));
    EXPECT_STREQ(State().logFileName, "pelzogps.log");
    Windows().LogFileSetting->show();
    EXPECT_EQ(Windows().LogFileSetting->logfilenamelabel->text(), "pelzogps.log");
    EXPECT_FALSE(Windows().LogFileSetting->logfilenamelabel->isEnabled());
    Windows().LogFileSetting->hide();
}

// The program's own options, run as a user would without any display.
TEST(CommandLineTest, OptionsWorkWithoutADisplay) {
    const struct {
        QStringList arguments;
        int status;
        const char* out;  // what standard output starts with
        int errLines;
    } cases[] = {
        {{"--version"}, 0, "kelmstar ", 0}, {{"--help"}, 0, "Usage: kelmstar", 0},
        {{"-h"}, 0, "Usage: kelmstar", 0},  {{"--bogus"}, 2, "", 1},
        {{"--version", "x"}, 2, "", 1},     {{}, 1, "", 1},
    };
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(name);
    }
    for (const auto& c : cases) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(KELMSTAR_BIN, c.arguments);
        ASSERT_TRUE(program.waitForFinished(10000));
        const QString what = c.arguments.join(' ');
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << what.toStdString();
        EXPECT_EQ(program.exitCode(), c.status) << what.toStdString();
        EXPECT_TRUE(program.readAllStandardOutput().startsWith(c.out)) << what.toStdString();
        EXPECT_EQ(program.readAllStandardError().count('\n'), c.errLines) << what.toStdString();
    }
}

TEST_F(ProgramTest, TheFirstStartShowsEveryViewWholeAndTheNextRestoresWhereTheyWere) {
    CreateProgram();
    QCoreApplication::processEvents();
    const QRect client = Main().mdiArea->viewport()->rect();
    QList<QRect> placed;
    for (QMdiSubWindow* view : Views(Main())) {
        const std::string title = view->windowTitle().toStdString();
        EXPECT_TRUE(client.contains(view->geometry())) << title;
        for (const QRect& other : placed) {
            EXPECT_FALSE(other.intersects(view->geometry())) << title;
        }
        placed.append(view->geometry());
    }

    Main().setGeometry(QRect(20, 30, 700, 520));
    Windows().Tracking->close();
    Windows().Level->showMinimized();
    Windows().Source->setGeometry(QRect(10, 20, 300, 200));
    FlushDeletes();
    const QRect frame = Main().geometry();
    Main().Exit1Click();
    program.reset();

    CreateProgram();
    FlushDeletes();
    EXPECT_EQ(Main().geometry(), frame);
    EXPECT_EQ(State().mapViewOpen, 0);
    EXPECT_EQ(Views(Main()).size(), 4);
    EXPECT_TRUE(Windows().Level->isMinimized());
    EXPECT_EQ(Windows().Source->geometry(), QRect(10, 20, 300, 200));
}

}  // namespace
