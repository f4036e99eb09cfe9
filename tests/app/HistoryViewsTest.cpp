// A receiver standing still for ten minutes (the simulator's log) played at "Fastest" with
// the Signal History and Position Statistics views open.

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QXYSeries>
#include <cmath>
#include <map>
#include <sstream>

#include "PlaybackControl.h"
#include "PositionStatisticsView.h"
#include "ProgramFixture.h"
#include "SetReferenceDialog.h"
#include "SignalHistoryView.h"
#include "TData.h"
#include "TimeChart.h"

namespace {

constexpr std::int64_t kTenOClock = 10 * 3600;  // the log's first second
constexpr std::int64_t kSeconds = 600;

class HistoryViewsTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        QProcess simulator;
        simulator.start(
            KELMSTAR_SIM,
            {"--output=" + QString::fromStdString(Path("still.log").string()), "--speed=0",
             "--start-mode=hot", "--duration=600", "--start=2026-03-01T10:00:00", "--seed=3"});
        ASSERT_TRUE(simulator.waitForFinished(60000));
        CreateProgram();
        Main().SignalHistory1->trigger();
        Main().PositionStatistics1->trigger();
        history = Main().findChild<SignalHistoryView*>("SignalHistory");
        survey = Main().findChild<PositionStatisticsView*>("PositionStatistics");
        ASSERT_TRUE(history && survey);
        ASSERT_TRUE(PlayToEnd(QString::fromStdString(Path("still.log").string())));
        ASSERT_TRUE(WaitFor([&] {
            return !history->Drawing() &&
                   survey->Figure("fixes")->text() == QString::number(Positions().Count());
        }));
    }

    PositionStatistics& Positions() { return Main().History().Positions(); }

    // The figures as the view must show them.
    std::map<std::string, QString> Expected() {
        const SurveySummary summary = Positions().Summary();
        const auto metres = [](double value) { return QString::number(value, 'f', 2) + " m"; };
        const auto degrees = [](double value) {
            return QString::number(value, 'f', 8) + QChar(0x00B0);
        };
        const SurveyFigures& f = *summary.figures;
        return {{"fixes", QString::number(summary.fixes)},
                {"latitude", degrees(summary.reference->latitude)},
                {"longitude", degrees(summary.reference->longitude)},
                {"altitude", metres(summary.reference->altitude)},
                {"sigmaEast", metres(f.sigmaEast)},
                {"sigmaNorth", metres(f.sigmaNorth)},
                {"sigmaUp", metres(f.sigmaUp)},
                {"cep50", metres(f.cep50)},
                {"cep95", metres(f.cep95)},
                {"drms2", metres(f.drms2)},
                {"largest", metres(f.maxHorizontal)}};
    }

    void ExpectFigures(const char* when) {
        for (const auto& [name, text] : Expected()) {
            EXPECT_EQ(survey->Figure(name.c_str())->text(), text) << name << ", " << when;
        }
    }

    SignalHistoryView* history = nullptr;
    PositionStatisticsView* survey = nullptr;
};

TEST_F(HistoryViewsTest, ChartsCoverTheLogWithAtMostTwoPointsAPixelAndTheFiguresAgree) {
    EXPECT_EQ(Main().History().Signals().Kept().first, kTenOClock);
    EXPECT_EQ(history->Shown().first, kTenOClock) << "\"All\" shows the whole log";
    EXPECT_EQ(history->Shown().last, kTenOClock + kSeconds - 1);
    EXPECT_EQ(history->windowLabel->text(), "10:00:00 to 10:10:00 UTC");
    EXPECT_GT(Positions().Count(), 590u) << "a fix a second after a hot start";
    ExpectFigures("as played");

    int charts = 0;
    for (TimeChart* chart : Main().findChildren<TimeChart*>()) {
        ++charts;
        const std::string name = chart->objectName().toStdString();
        const QRectF plot = chart->chart()->plotArea();
        double left = plot.right();
        double right = plot.left();
        for (QAbstractSeries* abstract : chart->chart()->series()) {
            auto* series = static_cast<QXYSeries*>(abstract);
            std::map<int, int> perColumn;
            for (const QPointF& point : series->points()) {
                const double x = chart->chart()->mapToPosition(point, series).x();
                ++perColumn[int(std::floor(x))];
                left = std::min(left, x);
                right = std::max(right, x);
            }
            for (const auto& [column, points] : perColumn) {
                ASSERT_LE(points, 2) << name << " at x " << column;
            }
        }
        // The log's whole time, but for the seconds before the first fix.
        EXPECT_LT(left, plot.left() + plot.width() / 100 + 2) << name;
        EXPECT_GT(right, plot.right() - 2) << name;
    }
    EXPECT_EQ(charts, 4) << "C/N0, satellites, DOP and the altitude";
}

TEST_F(HistoryViewsTest, ExportsPictureAndCsvAndRefusesABadReference) {
    nextChosenFile = QString::fromStdString(Path("signals.csv").string());
    history->exportButton->click();
    const std::vector<std::string> signalLines = ReadLines("signals.csv");
    ASSERT_EQ(signalLines.size(), std::size_t(kSeconds + 1)) << "a header and a line a second";
    EXPECT_EQ(signalLines[0].rfind("time,in_view,used,pdop,hdop,vdop,G", 0), 0u) << signalLines[0];
    EXPECT_EQ(signalLines[1].rfind(std::to_string(kTenOClock) + ",", 0), 0u) << signalLines[1];

    nextChosenFile = QString::fromStdString(Path("fixes.csv").string());
    survey->exportButton->click();
    const std::vector<std::string> fixLines = ReadLines("fixes.csv");
    ASSERT_EQ(fixLines.size(), Positions().Count() + 1);
    EXPECT_EQ(fixLines[0], "time,lat,lon,alt,east,north,up");

    nextChosenFile = QString::fromStdString(Path("history.png").string());
    history->savePictureButton->click();
    const QImage picture(nextChosenFile, "PNG");
    EXPECT_EQ(picture.size(), history->widget()->size());

    const std::pair<const char*, const char*> kBad[] = {
        {"north", "'north' is not a valid floating point value"},
        {"95", "Latitude 95 is outside -90 to 90 degrees"},
    };
    for (const auto& [text, message] : kBad) {
        QString shown;
        Main().runModal = [&, text = text](QDialog& dialog) {
            auto& reference = static_cast<SetReferenceDialog&>(dialog);
            reference.typed->setChecked(true);
            reference.latedit->setText(text);
            reference.BitBtn1->click();
            shown = reference.message->text();
            return dialog.result();
        };
        survey->setReferenceButton->click();
        EXPECT_EQ(shown, message);
        EXPECT_FALSE(Positions().Summary().referenceSet) << text;
        ExpectFigures(text);
    }
}

}  // namespace
