// A receiver of four satellite systems (the ZED-F9P capture: GN positions, one GSA per
// system, GPGSV/GLGSV/GAGSV/GBGSV with signal IDs) played back in both modes.

#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>

#include "MainStatusBar.h"
#include "PlaybackControl.h"
#include "ProgramFixture.h"
#include "SatelliteSystemsDialog.h"
#include "SatellitesView.h"
#include "SystemsSkyPlot.h"
#include "TData.h"
#include "TLevel.h"
#include "TParameter.h"
#include "TView.h"

namespace {

class SatelliteSystemsTest : public ProgramTest {
protected:
    // Plays the capture at "Fastest" to its end, the Satellites view open.
    void PlayCapture() {
        Main().Satellites1->trigger();
        ASSERT_TRUE(PlayToEnd(QString(KELMSTAR_CAPTURES) + "/ublox-zed-f9p-nmea.log"));
    }

    SatellitesView* Satellites() { return Main().findChild<SatellitesView*>("Satellites"); }

    // How many pixels of the sky plot have a system's colour.
    int PixelsOf(GnssSystem system) {
        const QImage& picture = Windows().View->Picture();
        const Rgb colour = SystemColour(system);
        int count = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                count += picture.pixelColor(x, y) == QColor(colour.r, colour.g, colour.b);
            }
        }
        return count;
    }
};

TEST_F(SatelliteSystemsTest, AllSystemsFillEveryViewFromEveryTalker) {
    CreateProgram();
    Main().runModal = [this](QDialog&) {  // the user picks "All satellite systems", OK
        Main().SystemsSetup->allSystems->setChecked(true);
        return int(QDialog::Accepted);
    };
    Main().SatelliteSystems1Click();
    EXPECT_TRUE(SatelliteSystemsDialog::StoredAllSystems());
    PlayCapture();

    EXPECT_EQ(LabelText(Windows().Parameter, "latdirlabel"), "S");
    EXPECT_TRUE(LabelText(Windows().Parameter, "latlabel").startsWith("45.87")) << "Dunedin";
    EXPECT_EQ(LabelText(Windows().Parameter, "londirlabel"), "E");
    EXPECT_EQ(LabelText(Windows().Parameter, "fixlabel"), "3D");
    EXPECT_GE(LabelText(Windows().Parameter, "satslabel").toInt(), 20);
    EXPECT_GT(State().mapPointCount, 0);
    EXPECT_EQ(State().mapCentreSet, 1);
    for (int row = 0; row < 12; ++row) {
        EXPECT_FALSE(Windows().Level->rows[row]->text().isEmpty()) << "row " << row + 1;
    }
    SatellitesView* view = Satellites();
    ASSERT_NE(view, nullptr);
    EXPECT_GE(view->table->rowCount(), 40) << "satellites on several signals";
    for (const char* system : {"GPS ", "GLONASS ", "Galileo ", "BeiDou "}) {
        EXPECT_TRUE(view->summary->text().contains(system)) << view->summary->text().toStdString();
    }
    for (const GnssSystem system :
         {GnssSystem::Gps, GnssSystem::Glonass, GnssSystem::Galileo, GnssSystem::BeiDou}) {
        EXPECT_GT(PixelsOf(system), 0) << GnssSystemName(system);
    }
    // The history windows' records fill whether or not a window is open.
    EXPECT_GT(Main().History().Signals().Satellites().size(), 20u) << "tracked signals";
    EXPECT_GT(Main().History().Positions().Count(), 0u) << "GNGGA fixes count";
}

TEST_F(SatelliteSystemsTest, GpsOnlyShowsTheGpsSatellitesAndNamesTheTalkersNotShown) {
    CreateProgram();
    PlayCapture();

    EXPECT_EQ(Main().StatusBar1->currentMessage(),
              "GN, GL, GA and GB sentences are not shown: Setup > Satellite Systems");
    EXPECT_EQ(LabelText(Windows().Parameter, "latlabel"), "0.000000") << "no GP position";
    SatellitesView* view = Satellites();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->summary->text().startsWith("GPS ")) << view->summary->text().toStdString();
    EXPECT_FALSE(view->summary->text().contains("GLONASS"));
    EXPECT_EQ(PixelsOf(GnssSystem::Glonass), 0);
    EXPECT_EQ(Main().History().Positions().Count(), 0u) << "no GPGGA";
}

}  // namespace
