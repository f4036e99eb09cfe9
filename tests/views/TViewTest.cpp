#include "TView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QtTest>

#include "PixelChecks.h"
#include "Tviewsetting.h"

namespace {

const QColor kQBlack(0, 0, 0);
const QColor kQWhite(255, 255, 255);
const QColor kQYellow(255, 255, 0);
const QColor kQTeal(0, 128, 128);
const QColor kQRed(255, 0, 0);

}  // namespace

class TViewTest : public QObject {
    Q_OBJECT

private:
    AppState state;
    NavState nav;

    void OneSatelliteOnTheHorizonEast(int fix) {
        nav = NavState{};
        nav.satsInView = 1;
        nav.sats[0] = {7, 0, 90, 40};
        nav.fixAvailable = fix;
    }

private slots:
    void init() {
        state = AppState{};
        nav = NavState{};
    }

    void isTheNamedChildWindow() {
        Tviewsetting settings(state);
        auto* view = new TView(state, nav, [&settings] { settings.exec(); });
        QCOMPARE(view->objectName(), QString("View"));
        QCOMPARE(view->windowTitle(), QString("Tracking View"));
        QVERIFY(view->widget() != nullptr);
        delete view;
        QCOMPARE(state.trackingViewOpen, 0);
    }

    void drawsTheSkyPlotForTheOuterSize() {
        Tviewsetting settings(state);
        TView view(state, nav, [&settings] { settings.exec(); });
        view.resize(500, 400);
        OneSatelliteOnTheHorizonEast(1);
        nav.speedKnots = 7.7752f;  // 4 m/s: the outer circle
        nav.courseDeg = 45.0f;
        view.DrawSkyPlot();
        const QImage& picture = view.Picture();
        QCOMPARE(picture.size(), QSize(500, 400));
        QCOMPARE(PixelAt(picture, 5, 390), kQBlack);
        QVERIFY(ColourNear(picture, 200, 336, kQYellow));  // bottom of the outer circle
        QVERIFY(ColourNear(picture, 280, 176, kQYellow));  // the inner circle on the cross
        QCOMPARE(PixelAt(picture, 343, 176), kQTeal);      // the disc around (360, 176)
        // The velocity line at 45 degrees, three quarters out: about (285, 91).
        QVERIFY(ColourNear(picture, 285, 91, kQYellow, 2));
    }

    void fillIsWhiteUntilTheFirstDiscThenBlack() {
        Tviewsetting settings(state);
        TView view(state, nav, [&settings] { settings.exec(); });
        view.resize(500, 400);
        OneSatelliteOnTheHorizonEast(0);
        view.DrawSkyPlot();
        // Inside the inner circle, off the cross and the disc.
        QCOMPARE(PixelAt(view.Picture(), 170, 150), kQWhite);
        QCOMPARE(PixelAt(view.Picture(), 343, 176), kQRed);
        view.DrawSkyPlot();
        QCOMPARE(PixelAt(view.Picture(), 170, 150), kQBlack);
    }

    void aNewWindowStartsWithAWhiteFillAgain() {
        Tviewsetting settings(state);
        OneSatelliteOnTheHorizonEast(0);
        for (int round = 0; round < 2; ++round) {
            TView view(state, nav, [&settings] { settings.exec(); });
            view.resize(500, 400);
            view.DrawSkyPlot();
            QCOMPARE(PixelAt(view.Picture(), 170, 150), kQWhite);
        }
    }

    void zeroVelocityScaleDrawsNoLine() {
        Tviewsetting settings(state);
        TView view(state, nav, [&settings] { settings.exec(); });
        view.resize(500, 400);
        nav.speedKnots = 7.7752f;
        nav.courseDeg = 45.0f;
        state.velocityScale = 0.0f;
        view.DrawSkyPlot();
        QVERIFY(!ColourNear(view.Picture(), 285, 91, kQYellow, 2));
    }

    // A receiver standing still under a satellite near the zenith: no yellow dot on its disc.
    void speedZeroLeavesNoDotOnTheCentre() {
        Tviewsetting settings(state);
        TView view(state, nav, [&settings] { settings.exec(); });
        view.resize(500, 400);
        nav.satsInView = 1;
        nav.sats[0] = {7, 90, 0, 40};  // the disc around the centre (200, 176)
        nav.fixAvailable = 1;
        view.DrawSkyPlot();
        QCOMPARE(CountColour(view.Picture().copy(188, 164, 25, 25), kQYellow), 0);
    }

    // A line far longer than the window keeps its course: 30 degrees stays 30.
    void veryLongLineKeepsItsCourse() {
        Tviewsetting settings(state);
        TView view(state, nav, [&settings] { settings.exec(); });
        view.resize(500, 400);
        nav.speedKnots = 10.0f;
        nav.courseDeg = 30.0f;
        state.velocityScale = 1e-7f;
        view.DrawSkyPlot();
        QVERIFY(ColourNear(view.Picture(), 250, 89, kQYellow));    // 100 pixels out at 30 degrees
        QVERIFY(!ColourNear(view.Picture(), 271, 105, kQYellow));  // 100 pixels out at 45 degrees
    }

    void rightButtonReleaseOpensTheDialog() {
        Tviewsetting settings(state);
        TView view(state, nav, [&settings] { settings.exec(); });
        bool shown = false;
        QTimer::singleShot(0, &settings, [&] {
            shown = QApplication::activeModalWidget() == &settings;
            settings.reject();
        });
        QTest::mouseRelease(view.widget(), Qt::RightButton, {}, QPoint(10, 10));
        QVERIFY(shown);
    }

    void otherButtonsOpenNothing() {
        Tviewsetting settings(state);
        TView view(state, nav, [&settings] { settings.exec(); });
        bool shown = false;
        QObject closer;
        QTimer::singleShot(0, &closer, [&] {
            shown = settings.isVisible();
            settings.reject();
        });
        QTest::mouseRelease(view.widget(), Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(view.widget(), Qt::MiddleButton, {}, QPoint(10, 10));
        QCoreApplication::processEvents();
        QVERIFY(!shown);
    }
};

QTEST_MAIN(TViewTest)
#include "TViewTest.moc"
