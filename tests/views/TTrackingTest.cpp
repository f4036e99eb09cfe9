#include "TTracking.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

#include "PixelChecks.h"

namespace {

const QColor kQWhite(255, 255, 255);
const QColor kQTeal(0, 128, 128);
const QColor kQRed(255, 0, 0);
const QColor kQBlue(0, 0, 255);

// At the design size 890 x 607 the rings are centred on (356, 267); 100 m is 242.8
// pixels. 0.0005 degrees of longitude at the equator is 55.6 m, 135 pixels.
constexpr int kCx = 356;
constexpr int kCy = 267;
constexpr float kStep = 0.0005f;
constexpr int kStepPixels = 135;

}  // namespace

class TTrackingTest : public QObject {
    Q_OBJECT

private:
    AppState state;
    NavState nav;
    TrackHistory track;
    MapCentre centre;

    void FixAt(float longitude, char hemisphere = 'E') {
        nav.latitude = 0.0f;
        nav.latHemisphere = 'N';
        nav.longitude = longitude;
        nav.lonHemisphere = hemisphere;
        nav.fixAvailable = 1;
    }

private slots:
    void init() {
        state = AppState{};
        nav = NavState{};
        centre = MapCentre{};
    }

    void isTheNamedChildWindowWithItsPicture() {
        auto* map = new TTracking(state, nav, track, centre);
        QCOMPARE(map->objectName(), QString("Tracking"));
        QCOMPARE(map->windowTitle(), QString("Map View"));
        QCOMPARE(map->size(), QSize(890, 607));
        QCOMPARE(map->Picture().size(), QSize(1025, 721));
        auto* action = map->findChild<QAction*>("setcenter");
        QVERIFY(action != nullptr);
        QCOMPARE(action->text(), QString("&Set Center"));
        QVERIFY(map->PopupMenu1->actions().contains(action));
        delete map;
        QCOMPARE(state.mapViewOpen, 0);
    }

    void creationDrawsTheEmptyRings() {
        TTracking map(state, nav, track, centre);
        const QImage& picture = map.Picture();
        QVERIFY(ColourNear(picture, kCx + 242, kCy - 1, kQTeal));  // outer ring, right
        QVERIFY(ColourNear(picture, kCx - 121, kCy - 1, kQTeal));  // inner ring, left
        QCOMPARE(PixelAt(picture, kCx + 60, kCy + 60), kQWhite);
        QCOMPARE(PixelAt(picture, 1000, 700), kQWhite);  // beyond the rings
        QVERIFY(CountColour(picture, kQRed) > 0);        // "N" and "100m"
    }

    void setCentreThenTwoTicks() {
        TTracking map(state, nav, track, centre);
        map.setcenter->trigger();
        QCOMPARE(CountColour(map.Picture(), kQWhite), 1025 * 721);
        QCOMPARE(state.mapPointCount, 0);
        FixAt(1.0f);
        map.PlotFix();
        QCOMPARE(CountColour(map.Picture(), kQWhite), 1025 * 721);
        QCOMPARE(state.mapCentreSet, 1);
        FixAt(1.0f + kStep);
        map.PlotFix();
        QCOMPARE(PixelAt(map.Picture(), kCx, kCy), kQBlue);
        QCOMPARE(PixelAt(map.Picture(), kCx + kStepPixels, kCy), kQRed);
    }

    void resizeWithFewerThanThreePointsDrawsNone() {
        TTracking map(state, nav, track, centre);
        map.show();
        QVERIFY(QTest::qWaitForWindowExposed(&map));
        for (int points = 1; points <= 3; ++points) {
            FixAt(1.0f + points * kStep);
            map.PlotFix();
            map.resize(890 - points, 607);  // every change of size redraws
            const bool drawn = CountColour(map.Picture(), kQBlue) > 0;
            QCOMPARE(drawn, points == 3);
        }
    }

    void aReopenedWindowRedrawsTheKeptTrack() {
        for (int tick = 0; tick < 4; ++tick) {
            FixAt(1.0f + tick * kStep);
            TTracking map(state, nav, track, centre);
            map.PlotFix();
        }
        QCOMPARE(state.mapPointCount, 4);
        TTracking map(state, nav, track, centre);
        // The centre and the two middle points are blue, the newest red.
        QCOMPARE(PixelAt(map.Picture(), kCx, kCy), kQBlue);
        QCOMPARE(PixelAt(map.Picture(), kCx + 2 * kStepPixels, kCy), kQBlue);
        QVERIFY(ColourNear(map.Picture(), kCx + 3 * kStepPixels, kCy, kQRed));
    }

    void westwardTrackIsDrawnToTheLeft() {
        TTracking map(state, nav, track, centre);
        FixAt(1.0f, 'W');
        map.PlotFix();
        FixAt(1.0f + kStep, 'W');  // further west
        map.PlotFix();
        QCOMPARE(PixelAt(map.Picture(), kCx - kStepPixels, kCy), kQRed);
        QCOMPARE(PixelAt(map.Picture(), kCx + kStepPixels, kCy - 3), kQWhite);
        QCOMPARE(PixelAt(map.Picture(), kCx - kStepPixels, kCy - 3), kQRed);
    }

    void rightButtonReleaseShowsTheMenu() {
        TTracking map(state, nav, track, centre);
        map.show();
        QVERIFY(QTest::qWaitForWindowExposed(&map));
        QTest::mouseRelease(map.widget(), Qt::LeftButton, {}, QPoint(50, 50));
        QVERIFY(!map.PopupMenu1->isVisible());
        QTest::mouseRelease(map.widget(), Qt::RightButton, {}, QPoint(50, 50));
        QVERIFY(QTest::qWaitFor([&] { return map.PopupMenu1->isVisible(); }, 2000));
        map.PopupMenu1->close();
    }

    void paintWhiteAndResetTrack() {
        TTracking map(state, nav, track, centre);
        FixAt(1.0f);
        map.PlotFix();
        map.PlotFix();
        map.PaintWhite();
        QCOMPARE(CountColour(map.Picture(), kQWhite), 1025 * 721);
        TTracking::ResetTrack(state);
        QCOMPARE(state.mapPointCount, 0);
        QCOMPARE(state.mapCentreSet, 0);
    }
};

QTEST_MAIN(TTrackingTest)
#include "TTrackingTest.moc"
