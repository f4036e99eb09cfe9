#include "TLevel.h"

#include <QLabel>
#include <QtTest>

namespace {

const QColor kQGreen(0, 255, 0);
const QColor kQBlue(0, 0, 255);
const QColor kQRed(255, 0, 0);

QStringList Words(const QString& text) {
    return text.split(' ', Qt::SkipEmptyParts);
}

}  // namespace

class TLevelTest : public QObject {
    Q_OBJECT

private:
    AppState state;

    static NavState Satellites(int count, int fix = 0) {
        NavState nav;
        for (int slot = 0; slot < count; ++slot) {
            nav.sats[slot] = {slot + 1, 10 + slot, 100 + slot, static_cast<std::uint8_t>(slot)};
        }
        nav.fixAvailable = fix;
        return nav;
    }

    static QColor TextColour(const QLabel* row) {
        return row->palette().color(QPalette::WindowText);
    }

    // Every row filled, as by a group of three messages.
    static void FillAll(TLevel& level, const NavState& nav) {
        for (int message = 1; message <= 3; ++message) {
            level.ShowSatelliteRows(message, 3, nav);
        }
    }

    static QList<int> EmptyRows(const TLevel& level) {
        QList<int> empty;
        for (int row = 1; row <= 12; ++row) {
            if (level.rows[row - 1]->text().isEmpty()) {
                empty.append(row);
            }
        }
        return empty;
    }

private slots:
    void init() { state = AppState{}; }

    void isTheNamedChildWindowWithItsControls() {
        auto* level = new TLevel(state);
        QCOMPARE(level->objectName(), QString("Level"));
        QCOMPARE(level->windowTitle(), QString("12-Channel Signal Level View"));
        QCOMPARE(level->size(), QSize(501, 318));
        const QList<QPair<QString, QString>> headings{
            {"Label3", "SV"}, {"Label1", "El"}, {"Label2", "Az"}, {"Level", "C/No"}};
        for (const auto& [name, text] : headings) {
            auto* label = level->findChild<QLabel*>(name);
            QVERIFY2(label != nullptr, qPrintable(name));
            QCOMPARE(label->text(), text);
        }
        for (int row = 1; row <= 12; ++row) {
            auto* label = level->findChild<QLabel*>(QString("CH%1").arg(row));
            QVERIFY(label != nullptr);
            QCOMPARE(label, level->rows[row - 1]);
            QVERIFY(label->text().isEmpty());
            QCOMPARE(label->geometry().left(), 29);
            QCOMPARE(label->size(), QSize(228, 13));
        }
        QCOMPARE(level->rows[11]->geometry().top(), 247);
        delete level;
        QCOMPARE(state.signalLevelViewOpen, 0);
    }

    void rowShowsTheSlotsNumbers() {
        TLevel level(state);
        NavState nav;
        nav.sats[0] = {5, 7, 45, 0};
        level.ShowSatelliteRows(1, 1, nav);
        QCOMPARE(Words(level.rows[0]->text()), (QStringList{"05", "07", "045", "00"}));
        QCOMPARE(TextColour(level.rows[0]), kQRed);
    }

    void colourShowsSignalAndFix() {
        TLevel level(state);
        NavState nav = Satellites(2);  // slot 1 SNR 0, slot 2 SNR 1
        level.ShowSatelliteRows(1, 1, nav);
        QCOMPARE(TextColour(level.rows[0]), kQRed);
        QCOMPARE(TextColour(level.rows[1]), kQBlue);
        nav.fixAvailable = 1;
        level.ShowSatelliteRows(1, 1, nav);
        QCOMPARE(TextColour(level.rows[0]), kQGreen);
        QCOMPARE(TextColour(level.rows[1]), kQGreen);
    }

    void oneMessageGroupBlanksRowsFiveToTwelve() {
        TLevel level(state);
        FillAll(level, Satellites(12, 1));
        level.ShowSatelliteRows(1, 1, Satellites(3));
        QCOMPARE(EmptyRows(level), (QList<int>{5, 6, 7, 8, 9, 10, 11, 12}));
        // Row 4 is written from whatever its slot holds.
        QCOMPARE(Words(level.rows[3]->text()), (QStringList{"00", "00", "000", "00"}));
        // Blanking leaves the colour.
        QCOMPARE(TextColour(level.rows[4]), kQGreen);
    }

    void twoMessageGroupBlanksRowsNineToTwelveAfterEach() {
        for (int message = 1; message <= 2; ++message) {
            TLevel level(state);
            FillAll(level, Satellites(12));
            level.ShowSatelliteRows(message, 2, Satellites(8));
            QCOMPARE(EmptyRows(level), (QList<int>{9, 10, 11, 12}));
        }
    }

    void threeMessageGroupBlanksNothing() {
        TLevel level(state);
        FillAll(level, Satellites(12));
        level.ShowSatelliteRows(3, 3, Satellites(9));
        QVERIFY(EmptyRows(level).isEmpty());
        QCOMPARE(Words(level.rows[8]->text()).first(), QString("09"));
        QCOMPARE(Words(level.rows[9]->text()).first(), QString("00"));
    }

    void aFourthMessageChangesNoRow() {
        TLevel level(state);
        FillAll(level, Satellites(12));
        QStringList before;
        for (QLabel* row : level.rows) {
            before.append(row->text());
        }
        level.ShowSatelliteRows(4, 4, Satellites(0, 1));
        for (int row = 0; row < 12; ++row) {
            QCOMPARE(level.rows[row]->text(), before[row]);
            QCOMPARE(TextColour(level.rows[row]), row == 0 ? kQRed : kQBlue);
        }
    }

    void clearRowsEmptiesAllTwelve() {
        TLevel level(state);
        FillAll(level, Satellites(12));
        level.ClearRows();
        QCOMPARE(EmptyRows(level).size(), 12);
    }
};

QTEST_MAIN(TLevelTest)
#include "TLevelTest.moc"
