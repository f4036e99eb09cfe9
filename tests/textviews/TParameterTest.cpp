#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMap>
#include <QMdiArea>
#include <QPointer>
#include <QtTest>

#include <cmath>
#include <limits>

#include "TParameter.h"
#include "TValueLabel.h"
#include "ViewShot.h"

namespace {

// The layout as designed: name, text at creation, left, top, field width (0: sized to
// the text) and whether the text is right-aligned in its field.
struct LabelLayout {
    const char* name;
    const char* text;
    int left;
    int top;
    int width;
    bool rightAligned;
};

constexpr LabelLayout kCaptions[] = {
    {"Label1", "Lat:", 8, 8, 0, false},         {"Label2", "Lon:", 152, 8, 0, false},
    {"Label3", "Alt:", 328, 8, 0, false},       {"Label18", "Mode:", 8, 40, 0, false},
    {"Label8", "DGPS Mode", 152, 40, 0, false}, {"Label7", "SVs:", 328, 40, 0, false},
    {"Label10", "PDOP", 8, 72, 0, false},       {"Label11", "HDOP", 152, 72, 0, false},
    {"Label12", "VDOP", 328, 72, 0, false},     {"Label9", "Headings", 8, 144, 0, false},
    {"Label17", "dgs", 128, 144, 0, false},     {"Velocity", "Velocity", 176, 144, 0, false},
    {"Label16", "m/s", 296, 144, 0, false},     {"Label4", "UTC Time", 8, 176, 0, false},
    {"Label5", ":", 100, 175, 0, false},        {"Label6", ":", 129, 175, 0, false},
};

constexpr LabelLayout kValues[] = {
    {"latdirlabel", "N", 32, 8, 0, false},        {"latlabel", "0.0", 48, 8, 73, true},
    {"londirlabel", "E", 184, 8, 0, false},       {"longlabel", "0.0", 216, 8, 73, true},
    {"heightlabel", "0.0", 352, 8, 81, true},     {"fixlabel", "NONE", 88, 40, 37, true},
    {"dgpslabel", "NONE", 256, 40, 37, true},     {"satslabel", "0", 400, 40, 31, true},
    {"pdoplabel", "0.0", 104, 72, 18, true},      {"hdoplabel", "0.0", 272, 72, 18, true},
    {"vdoplabel", "0.0", 416, 72, 18, true},      {"headinglabel", "0.0", 103, 144, 18, true},
    {"velocitylabel", "0.0", 271, 144, 18, true}, {"hourlabel", "00", 80, 176, 0, false},
    {"minutelabel", "00", 108, 176, 0, false},    {"secondlabel", "00", 136, 176, 0, false},
};

QMap<QString, QString> LabelTexts(const TParameter& view) {
    QMap<QString, QString> texts;
    for (const QLabel* label : view.findChildren<QLabel*>()) {
        texts.insert(label->objectName(), label->text());
    }
    return texts;
}

// Whether the whole text is drawn inside the label.
bool TextFits(const QLabel& label) {
    return label.fontMetrics().horizontalAdvance(label.text()) <= label.contentsRect().width();
}

// A record in which every field shows differently from the texts at creation.
NavState BusyRecord() {
    NavState nav;
    nav.utcHour = 23;
    nav.utcMinute = 59;
    nav.utcSecond = 58.5f;
    nav.latitude = 89.999999f;
    nav.latHemisphere = 'S';
    nav.longitude = 179.999999f;
    nav.lonHemisphere = 'W';
    nav.speedKnots = 999.0f;
    nav.courseDeg = 359.9f;
    nav.ggaQuality = 2;
    nav.altitude = 12345.6f;
    nav.pdop = 99.9f;
    nav.hdop = 88.8f;
    nav.vdop = 77.7f;
    nav.fixMode = 3;
    nav.satsInView = 12;
    return nav;
}

void ShowAll(TParameter& view, const NavState& nav) {
    for (SentenceType type :
         {SentenceType::Gsv, SentenceType::Gga, SentenceType::Gsa, SentenceType::Rmc}) {
        view.ShowMeasuredValues(type, nav);
    }
}

// One shown-value case: an optional earlier sentence that puts another text in place,
// then the sentence under test, then the label's expected text.
struct ShownCase {
    const char* name;
    SentenceType type;
    void (*before)(NavState&);
    void (*fill)(NavState&);
    const char* label;
    const char* expected;
};

const ShownCase kShownCases[] = {
    {"GSV 7 in view", SentenceType::Gsv, nullptr, [](NavState& n) { n.satsInView = 7; },
     "satslabel", "7"},
    {"GSV 0 in view", SentenceType::Gsv, [](NavState& n) { n.satsInView = 5; },
     [](NavState& n) { n.satsInView = 0; }, "satslabel", "0"},
    {"GSV 12 in view", SentenceType::Gsv, nullptr, [](NavState& n) { n.satsInView = 12; },
     "satslabel", "12"},
    {"GGA altitude", SentenceType::Gga, nullptr, [](NavState& n) { n.altitude = 545.4f; },
     "heightlabel", "545.4"},
    {"GGA altitude below sea", SentenceType::Gga, nullptr,
     [](NavState& n) { n.altitude = -12.34f; }, "heightlabel", "-12.3"},
    {"GGA altitude exact tie", SentenceType::Gga, nullptr,
     [](NavState& n) { n.altitude = 545.25f; }, "heightlabel", "545.2"},
    {"GGA quality 2", SentenceType::Gga, nullptr, [](NavState& n) { n.ggaQuality = 2; },
     "dgpslabel", "ON"},
    {"GGA quality 0", SentenceType::Gga, [](NavState& n) { n.ggaQuality = 2; },
     [](NavState& n) { n.ggaQuality = 0; }, "dgpslabel", "NONE"},
    {"GGA quality 1", SentenceType::Gga, [](NavState& n) { n.ggaQuality = 2; },
     [](NavState& n) { n.ggaQuality = 1; }, "dgpslabel", "NONE"},
    {"GGA quality 4", SentenceType::Gga, [](NavState& n) { n.ggaQuality = 2; },
     [](NavState& n) { n.ggaQuality = 4; }, "dgpslabel", "NONE"},
    {"GGA quality 5", SentenceType::Gga, [](NavState& n) { n.ggaQuality = 2; },
     [](NavState& n) { n.ggaQuality = 5; }, "dgpslabel", "NONE"},
    {"GSA mode 3", SentenceType::Gsa, nullptr, [](NavState& n) { n.fixMode = 3; }, "fixlabel",
     "3D"},
    {"GSA mode 2", SentenceType::Gsa, nullptr, [](NavState& n) { n.fixMode = 2; }, "fixlabel",
     "2D"},
    {"GSA mode 1", SentenceType::Gsa, [](NavState& n) { n.fixMode = 3; },
     [](NavState& n) { n.fixMode = 1; }, "fixlabel", "NONE"},
    {"GSA exact tie rounds to even", SentenceType::Gsa, nullptr,
     [](NavState& n) { n.pdop = 0.25f; }, "pdoplabel", "0.2"},
    {"GSA PDOP", SentenceType::Gsa, nullptr, [](NavState& n) { n.pdop = 2.44f; }, "pdoplabel",
     "2.4"},
    {"GSA HDOP rounds up", SentenceType::Gsa, nullptr, [](NavState& n) { n.hdop = 0.96f; },
     "hdoplabel", "1.0"},
    {"GSA VDOP two digits", SentenceType::Gsa, nullptr, [](NavState& n) { n.vdop = 12.34f; },
     "vdoplabel", "12.3"},
    {"RMC latitude", SentenceType::Rmc, nullptr, [](NavState& n) { n.latitude = 48.117302f; },
     "latlabel", "48.117302"},
    {"RMC latitude infinite", SentenceType::Rmc, nullptr,
     [](NavState& n) { n.latitude = std::numeric_limits<float>::infinity(); }, "latlabel", "inf"},
    {"RMC latitude largest float", SentenceType::Rmc, nullptr,
     [](NavState& n) { n.latitude = std::numeric_limits<float>::max(); }, "latlabel",
     "340282346638528859811704183484516925440.000000"},
    {"RMC longitude", SentenceType::Rmc, nullptr, [](NavState& n) { n.longitude = 11.516666f; },
     "longlabel", "11.516666"},
    {"RMC north", SentenceType::Rmc, [](NavState& n) { n.latHemisphere = 'S'; },
     [](NavState& n) { n.latHemisphere = 'N'; }, "latdirlabel", "N"},
    {"RMC south", SentenceType::Rmc, nullptr, [](NavState& n) { n.latHemisphere = 'S'; },
     "latdirlabel", "S"},
    {"RMC no latitude letter", SentenceType::Rmc, nullptr,
     [](NavState& n) { n.latHemisphere = '\0'; }, "latdirlabel", ""},
    {"RMC west", SentenceType::Rmc, nullptr, [](NavState& n) { n.lonHemisphere = 'W'; },
     "londirlabel", "W"},
    {"RMC east", SentenceType::Rmc, [](NavState& n) { n.lonHemisphere = 'W'; },
     [](NavState& n) { n.lonHemisphere = 'E'; }, "londirlabel", "E"},
    {"RMC no longitude letter", SentenceType::Rmc, nullptr,
     [](NavState& n) { n.lonHemisphere = '\0'; }, "londirlabel", ""},
    {"RMC letter above ASCII", SentenceType::Rmc, nullptr,
     [](NavState& n) { n.lonHemisphere = static_cast<char>(0xC4); }, "londirlabel", "\xC3\x84"},
    {"RMC 10 knots", SentenceType::Rmc, nullptr, [](NavState& n) { n.speedKnots = 10.0f; },
     "velocitylabel", "5.1"},
    {"RMC 1.9438 knots", SentenceType::Rmc, nullptr, [](NavState& n) { n.speedKnots = 1.9438f; },
     "velocitylabel", "1.0"},
    {"RMC course", SentenceType::Rmc, nullptr, [](NavState& n) { n.courseDeg = 84.4f; },
     "headinglabel", "84.4"},
    {"RMC hour 9", SentenceType::Rmc, nullptr, [](NavState& n) { n.utcHour = 9; }, "hourlabel",
     "09"},
    {"RMC hour 23", SentenceType::Rmc, nullptr, [](NavState& n) { n.utcHour = 23; }, "hourlabel",
     "23"},
    {"RMC minute 5", SentenceType::Rmc, nullptr, [](NavState& n) { n.utcMinute = 5; },
     "minutelabel", "05"},
    {"RMC second 19.99", SentenceType::Rmc, nullptr, [](NavState& n) { n.utcSecond = 19.99f; },
     "secondlabel", "19"},
    {"RMC second 59.999", SentenceType::Rmc, nullptr, [](NavState& n) { n.utcSecond = 59.999f; },
     "secondlabel", "59"},
    {"RMC second -0.5", SentenceType::Rmc, [](NavState& n) { n.utcSecond = 30.0f; },
     [](NavState& n) { n.utcSecond = -0.5f; }, "secondlabel", "00"},
    {"RMC second huge", SentenceType::Rmc, nullptr, [](NavState& n) { n.utcSecond = 1e30f; },
     "secondlabel", "2147483647"},
    {"RMC second hugely negative", SentenceType::Rmc, nullptr,
     [](NavState& n) { n.utcSecond = -1e30f; }, "secondlabel", "-2147483648"},
    {"RMC second infinite", SentenceType::Rmc, nullptr,
     [](NavState& n) { n.utcSecond = std::numeric_limits<float>::infinity(); }, "secondlabel",
     "2147483647"},
    {"RMC second NaN", SentenceType::Rmc, [](NavState& n) { n.utcSecond = 30.0f; },
     [](NavState& n) { n.utcSecond = std::numeric_limits<float>::quiet_NaN(); }, "secondlabel",
     "00"},
};

}  // namespace

class TParameterTest : public QObject {
    Q_OBJECT

private slots:
    void window();
    void labelLayout_data();
    void labelLayout();
    void bevelFramesTime();
    void shownValue_data();
    void shownValue();
    void writesOnlyItsLabels_data();
    void writesOnlyItsLabels();
    void undefinedFixModeKeepsText_data();
    void undefinedFixModeKeepsText();
    void resetRestoresCreationTexts();
    void wideValueGrowsLeft();
    void keepsSizeInMdiArea();
    void destructionClearsFlag();
    void closeClearsFlag();
    void renderedTextsFit();

private:
    AppState state_;
};

void TParameterTest::window() {
    TParameter view(state_);
    QCOMPARE(view.objectName(), QString("Parameter"));
    QCOMPARE(view.windowTitle(), QString("Measured Navigation Message View"));
    QCOMPARE(view.pos(), QPoint(353, 230));
    QCOMPARE(view.size(), QSize(524, 240));
    QWidget* client = view.findChild<QWidget*>("ParameterClient");
    QVERIFY(client != nullptr);
    QCOMPARE(client->font().family(), QString("Arial"));
    QCOMPARE(client->font().pixelSize(), 13);
    QVERIFY(client->autoFillBackground());
    QCOMPARE(client->palette().color(QPalette::Window), QColor(Qt::white));
    QCOMPARE(client->palette().color(QPalette::WindowText), QColor(Qt::black));
}

void TParameterTest::labelLayout_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("rightAligned");
    for (const auto& table :
         {std::span<const LabelLayout>(kCaptions), std::span<const LabelLayout>(kValues)}) {
        for (const LabelLayout& l : table) {
            QTest::newRow(l.name) << QString(l.text) << l.left << l.top << l.width
                                  << l.rightAligned;
        }
    }
}

void TParameterTest::labelLayout() {
    QFETCH(QString, text);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, width);
    QFETCH(bool, rightAligned);
    TParameter view(state_);
    const auto* label = view.findChild<QLabel*>(QTest::currentDataTag());
    QVERIFY(label != nullptr);
    QCOMPARE(label->parentWidget(), view.findChild<QWidget*>("ParameterClient"));
    QCOMPARE(label->text(), text);
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QCOMPARE(label->y(), top);
    QVERIFY(label->width() >= width);
    QVERIFY2(TextFits(*label), "text cut off");
    QCOMPARE(bool(label->alignment() & Qt::AlignRight), rightAligned);
    if (rightAligned) {
        QCOMPARE(label->x() + label->width(), left + width);
        if (label->sizeHint().width() <= width) {
            QCOMPARE(label->x(), left);
        }
    } else {
        QCOMPARE(label->x(), left);
    }
}

void TParameterTest::bevelFramesTime() {
    TParameter view(state_);
    const auto* bevel = view.findChild<QFrame*>("Bevel1");
    QVERIFY(bevel != nullptr);
    QVERIFY(qobject_cast<const QLabel*>(bevel) == nullptr);
    QCOMPARE(bevel->geometry(), QRect(72, 176, 89, 17));
    QCOMPARE(bevel->frameShape(), QFrame::Box);
    QCOMPARE(bevel->frameShadow(), QFrame::Sunken);
    // The bevel lies beneath the labels it frames.
    const QObjectList& siblings = view.findChild<QWidget*>("ParameterClient")->children();
    QCOMPARE(siblings.indexOf(bevel), 0);
    for (const char* name : {"hourlabel", "minutelabel", "secondlabel"}) {
        const auto* label = view.findChild<QLabel*>(name);
        QVERIFY2(bevel->geometry().contains(label->pos()), name);
    }
}

void TParameterTest::shownValue_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(kShownCases)); ++i) {
        QTest::newRow(kShownCases[i].name) << i;
    }
}

void TParameterTest::shownValue() {
    QFETCH(int, index);
    const ShownCase& c = kShownCases[index];
    TParameter view(state_);
    NavState nav;
    if (c.before != nullptr) {
        c.before(nav);
        view.ShowMeasuredValues(c.type, nav);
        QVERIFY(view.findChild<QLabel*>(c.label)->text() != QString::fromUtf8(c.expected));
    }
    c.fill(nav);
    view.ShowMeasuredValues(c.type, nav);
    QCOMPARE(view.findChild<QLabel*>(c.label)->text(), QString::fromUtf8(c.expected));
}

void TParameterTest::writesOnlyItsLabels_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("changed");
    QTest::newRow("GSV") << int(SentenceType::Gsv) << QStringList{"satslabel"};
    QTest::newRow("GGA") << int(SentenceType::Gga) << QStringList{"dgpslabel", "heightlabel"};
    QTest::newRow("GSA") << int(SentenceType::Gsa)
                         << QStringList{"fixlabel", "hdoplabel", "pdoplabel", "vdoplabel"};
    QTest::newRow("RMC") << int(SentenceType::Rmc)
                         << QStringList{"headinglabel", "hourlabel",   "latdirlabel",
                                        "latlabel",     "londirlabel", "longlabel",
                                        "minutelabel",  "secondlabel", "velocitylabel"};
    QTest::newRow("VTG") << int(SentenceType::Vtg) << QStringList{};
    QTest::newRow("GLL") << int(SentenceType::Gll) << QStringList{};
    QTest::newRow("other") << int(SentenceType::Other) << QStringList{};
}

void TParameterTest::writesOnlyItsLabels() {
    QFETCH(int, type);
    QFETCH(QStringList, changed);
    TParameter view(state_);
    const QMap<QString, QString> before = LabelTexts(view);
    view.ShowMeasuredValues(static_cast<SentenceType>(type), BusyRecord());
    const QMap<QString, QString> after = LabelTexts(view);
    QStringList actual;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (before.value(it.key()) != it.value()) {
            actual << it.key();
        }
    }
    QCOMPARE(actual, changed);  // QMap keys come sorted
}

void TParameterTest::undefinedFixModeKeepsText_data() {
    QTest::addColumn<int>("mode");
    for (int mode : {0, 4, -1, 99}) {
        QTest::newRow(qPrintable(QString::number(mode))) << mode;
    }
}

void TParameterTest::undefinedFixModeKeepsText() {
    QFETCH(int, mode);
    TParameter view(state_);
    NavState nav;
    nav.fixMode = 3;
    view.ShowMeasuredValues(SentenceType::Gsa, nav);
    nav.fixMode = mode;
    nav.pdop = 3.25f;
    view.ShowMeasuredValues(SentenceType::Gsa, nav);
    QCOMPARE(view.findChild<QLabel*>("fixlabel")->text(), QString("3D"));
    // The rest of the sentence is still shown.
    QCOMPARE(view.findChild<QLabel*>("pdoplabel")->text(), QString("3.2"));
}

void TParameterTest::resetRestoresCreationTexts() {
    TParameter view(state_);
    const QMap<QString, QString> created = LabelTexts(view);
    QMap<QString, QRect> createdGeometry;
    for (const QLabel* label : view.findChildren<QLabel*>()) {
        createdGeometry.insert(label->objectName(), label->geometry());
    }
    ShowAll(view, BusyRecord());
    for (const LabelLayout& l : kValues) {
        QVERIFY2(view.findChild<QLabel*>(l.name)->text() != QString(l.text), l.name);
    }
    view.ResetValues();
    QCOMPARE(LabelTexts(view), created);
    for (const QLabel* label : view.findChildren<QLabel*>()) {
        QCOMPARE(label->geometry(), createdGeometry.value(label->objectName()));
    }
}

void TParameterTest::wideValueGrowsLeft() {
    TParameter view(state_);
    auto* label = view.findChild<TValueLabel*>("velocitylabel");
    QVERIFY(label != nullptr);
    const QRect created = label->geometry();
    NavState nav;
    nav.speedKnots = 19438.0f;
    view.ShowMeasuredValues(SentenceType::Rmc, nav);
    QCOMPARE(label->text(), QString("10000.0"));
    QVERIFY(TextFits(*label));
    QVERIFY(label->width() > created.width());
    QCOMPARE(label->x() + label->width(), 271 + 18);
    QCOMPARE(label->y(), created.y());
    nav.speedKnots = 0.0f;
    view.ShowMeasuredValues(SentenceType::Rmc, nav);
    QCOMPARE(label->geometry(), created);
}

void TParameterTest::keepsSizeInMdiArea() {
    QMdiArea area;
    area.resize(1000, 700);
    area.show();
    auto* view = new TParameter(state_);
    area.addSubWindow(view);
    view->show();
    QCOMPARE(area.subWindowList().size(), 1);
    // The area chooses where a new child goes; the size is the view's own.
    QCOMPARE(view->size(), QSize(524, 240));
    QCOMPARE(view->widget()->parentWidget(), view);
}

void TParameterTest::destructionClearsFlag() {
    AppState state;
    auto* view = new TParameter(state);
    QCOMPARE(state.measuredViewOpen, 1);
    delete view;
    QCOMPARE(state.measuredViewOpen, 0);
    QCOMPARE(state.messageViewOpen, 1);
}

void TParameterTest::closeClearsFlag() {
    AppState state;
    QPointer<TParameter> view = new TParameter(state);
    view->show();
    QVERIFY(view->close());
    QTRY_VERIFY(view.isNull());
    QCOMPARE(state.measuredViewOpen, 0);
}

void TParameterTest::renderedTextsFit() {
    QMdiArea area;
    auto* shown = new TParameter(state_);
    TParameter& view = *shown;
    ShowAll(view, BusyRecord());
    const QImage shot = GrabView(area, shown, "TParameter");
    QCOMPARE(shot.size() / shot.devicePixelRatio(), view.size());
    // Everything lies inside the client area left by the caption bar and frame.
    const QRect client = view.findChild<QWidget*>("ParameterClient")->rect();
    for (const QLabel* label : view.findChildren<QLabel*>()) {
        QVERIFY2(TextFits(*label), qPrintable(label->objectName()));
        QVERIFY2(client.contains(label->geometry()), qPrintable(label->objectName()));
    }
    // A right-aligned value grows to the left; even the widest keeps clear of the
    // caption before it and of every other label in its row.
    const QList<QLabel*> labels = view.findChildren<QLabel*>();
    for (const TValueLabel* a : view.findChildren<TValueLabel*>()) {
        if (!(a->alignment() & Qt::AlignRight)) {
            continue;
        }
        for (const QLabel* b : labels) {
            if (a != b && a->y() == b->y()) {
                QVERIFY2(!a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + " overlaps " + b->objectName()));
            }
        }
    }
}

QTEST_MAIN(TParameterTest)
#include "TParameterTest.moc"
