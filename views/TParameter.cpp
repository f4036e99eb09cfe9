#include "TParameter.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QScrollArea>
#include <QString>

#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

#include "TValueLabel.h"

struct TParameter::CaptionSpec {
    QLabel* TParameter::*member;
    const char* name;
    const char* text;
    int left;
    int top;
};

struct TParameter::ValueSpec {
    TValueLabel* TParameter::*member;
    const char* name;
    const char* text;  // also the text a reset puts back
    int left;
    int top;
    int width;  // least width; 0 sizes the label to its text
    bool rightAligned;
};

namespace {

// The width of "0.0" in the layout's font, given to the two right-aligned labels that
// have no field width of their own, so their right edges stay clear of the unit captions.
constexpr int kShortValueWidth = 18;

// Truncates toward zero like a C cast, but defined for every input: NaN gives 0 and
// values beyond the int range give its nearest end.
int TruncateToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

// A hemisphere letter as a one-character text; no letter gives an empty text. Bytes
// above 127 are read as Latin-1 so that any byte shows as some character.
QString LetterText(char letter) {
    if (letter == '\0') {
        return QString();
    }
    return QString(QChar(static_cast<unsigned char>(letter)));
}

// "%.<decimals>f" of printf in the C locale, whatever the process locale is: always a
// "." and the same correctly rounded digits (3.25 gives "3.2", as printf does).
QString FixedText(double value, int decimals) {
    char digits[400];  // the widest double in fixed notation with 6 decimals needs 317
    const std::to_chars_result result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) {
        return QString::asprintf("%.*e", decimals, value);
    }
    return QString::fromLatin1(digits, result.ptr - digits);
}

QString OneDecimal(double value) {
    return FixedText(value, 1);
}
QString SixDecimals(double value) {
    return FixedText(value, 6);
}

}  // namespace

std::span<const TParameter::CaptionSpec> TParameter::Captions() {
    static constexpr CaptionSpec kCaptions[] = {
        {&TParameter::Label1, "Label1", "Lat:", 8, 8},
        {&TParameter::Label2, "Label2", "Lon:", 152, 8},
        {&TParameter::Label3, "Label3", "Alt:", 328, 8},
        {&TParameter::Label18, "Label18", "Mode:", 8, 40},
        {&TParameter::Label8, "Label8", "DGPS Mode", 152, 40},
        {&TParameter::Label7, "Label7", "SVs:", 328, 40},
        {&TParameter::Label10, "Label10", "PDOP", 8, 72},
        {&TParameter::Label11, "Label11", "HDOP", 152, 72},
        {&TParameter::Label12, "Label12", "VDOP", 328, 72},
        {&TParameter::Label9, "Label9", "Headings", 8, 144},
        {&TParameter::Label17, "Label17", "dgs", 128, 144},
        {&TParameter::Velocity, "Velocity", "Velocity", 176, 144},
        {&TParameter::Label16, "Label16", "m/s", 296, 144},
        {&TParameter::Label4, "Label4", "UTC Time", 8, 176},
        {&TParameter::Label5, "Label5", ":", 100, 175},
        {&TParameter::Label6, "Label6", ":", 129, 175},
    };
    return kCaptions;
}

std::span<const TParameter::ValueSpec> TParameter::Values() {
    static constexpr ValueSpec kValues[] = {
        {&TParameter::latdirlabel, "latdirlabel", "N", 32, 8, 0, false},
        {&TParameter::latlabel, "latlabel", "0.0", 48, 8, 73, true},
        {&TParameter::londirlabel, "londirlabel", "E", 184, 8, 0, false},
        {&TParameter::longlabel, "longlabel", "0.0", 216, 8, 73, true},
        {&TParameter::heightlabel, "heightlabel", "0.0", 352, 8, 81, true},
        {&TParameter::fixlabel, "fixlabel", "NONE", 88, 40, 37, true},
        {&TParameter::dgpslabel, "dgpslabel", "NONE", 256, 40, 37, true},
        {&TParameter::satslabel, "satslabel", "0", 400, 40, 31, true},
        {&TParameter::pdoplabel, "pdoplabel", "0.0", 104, 72, 18, true},
        {&TParameter::hdoplabel, "hdoplabel", "0.0", 272, 72, 18, true},
        {&TParameter::vdoplabel, "vdoplabel", "0.0", 416, 72, 18, true},
        {&TParameter::headinglabel, "headinglabel", "0.0", 103, 144, kShortValueWidth, true},
        {&TParameter::velocitylabel, "velocitylabel", "0.0", 271, 144, kShortValueWidth, true},
        {&TParameter::hourlabel, "hourlabel", "00", 80, 176, 0, false},
        {&TParameter::minutelabel, "minutelabel", "00", 108, 176, 0, false},
        {&TParameter::secondlabel, "secondlabel", "00", 136, 176, 0, false},
    };
    return kValues;
}

TParameter::TParameter(AppState& state, QWidget* parent) : TMDIChild(parent), state_(state) {
    setObjectName("Parameter");
    setWindowTitle("Measured Navigation Message View");
    setWidget(ScrollingClientArea());
    move(kLeft, kTop);
    resize(kWidth, kHeight);
}

TParameter::~TParameter() {
    FormDestroy();
}

// The rows keep their design places; a window shorter or narrower than they need scrolls
// them instead of cutting the last ones off, and a larger one shows white beyond them.
QWidget* TParameter::ScrollingClientArea() {
    QWidget* client = BuildClientArea();
    const QRect used = client->childrenRect();
    client->setMinimumSize(used.right() + kMargin, used.bottom() + kMargin);
    auto* scroller = new QScrollArea;
    scroller->setObjectName("ParameterScroller");
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setWidget(client);
    return scroller;
}

QWidget* TParameter::BuildClientArea() {
    auto* client = new QWidget;
    client->setObjectName("ParameterClient");
    QFont font("Arial");
    font.setPixelSize(kFontPixelSize);
    client->setFont(font);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    client->setPalette(palette);
    client->setAutoFillBackground(true);

    // Made first so that it lies beneath the time labels it frames.
    Bevel1 = new QFrame(client);
    Bevel1->setObjectName("Bevel1");
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(72, 176, 89, 17);

    for (const CaptionSpec& entry : Captions()) {
        auto* label = new QLabel(entry.text, client);
        label->setObjectName(entry.name);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setGeometry(QRect(QPoint(entry.left, entry.top), label->sizeHint()));
        this->*entry.member = label;
    }
    for (const ValueSpec& entry : Values()) {
        const Qt::Alignment alignment = entry.rightAligned ? Qt::AlignRight : Qt::AlignLeft;
        auto* label = new TValueLabel(entry.text, QPoint(entry.left, entry.top), entry.width,
                                      alignment, client);
        label->setObjectName(entry.name);
        this->*entry.member = label;
    }
    return client;
}

void TParameter::ShowMeasuredValues(SentenceType type, const NavState& nav) {
    switch (type) {
        case SentenceType::Gsv:
            ShowSatsInView(nav);
            break;
        case SentenceType::Gga:
            ShowGgaValues(nav);
            break;
        case SentenceType::Gsa:
            ShowGsaValues(nav);
            break;
        case SentenceType::Rmc:
            ShowRmcValues(nav);
            break;
        case SentenceType::Vtg:
        case SentenceType::Gll:
        case SentenceType::Other:
            break;
    }
}

void TParameter::ShowSatsInView(const NavState& nav) {
    satslabel->SetValue(QString::asprintf("%d", static_cast<int>(nav.satsInView)));
}

void TParameter::ShowGgaValues(const NavState& nav) {
    heightlabel->SetValue(OneDecimal(nav.altitude));
    dgpslabel->SetValue(nav.ggaQuality == 2 ? "ON" : "NONE");
}

void TParameter::ShowGsaValues(const NavState& nav) {
    switch (nav.fixMode) {
        case 1:
            fixlabel->SetValue("NONE");
            break;
        case 2:
            fixlabel->SetValue("2D");
            break;
        case 3:
            fixlabel->SetValue("3D");
            break;
        default:  // a mode the receiver does not define leaves the last one shown
            break;
    }
    pdoplabel->SetValue(OneDecimal(nav.pdop));
    hdoplabel->SetValue(OneDecimal(nav.hdop));
    vdoplabel->SetValue(OneDecimal(nav.vdop));
}

void TParameter::ShowRmcValues(const NavState& nav) {
    latlabel->SetValue(SixDecimals(nav.latitude));
    latdirlabel->SetValue(LetterText(nav.latHemisphere));
    longlabel->SetValue(SixDecimals(nav.longitude));
    londirlabel->SetValue(LetterText(nav.lonHemisphere));
    velocitylabel->SetValue(OneDecimal(nav.speedKnots * kMetresPerSecondPerKnot));
    headinglabel->SetValue(OneDecimal(nav.courseDeg));
    hourlabel->SetValue(QString::asprintf("%02d", static_cast<int>(nav.utcHour)));
    minutelabel->SetValue(QString::asprintf("%02d", static_cast<int>(nav.utcMinute)));
    secondlabel->SetValue(QString::asprintf("%02d", TruncateToInt(nav.utcSecond)));
}

void TParameter::ResetValues() {
    for (const ValueSpec& entry : Values()) {
        (this->*entry.member)->SetValue(entry.text);
    }
}

void TParameter::FormDestroy() {
    state_.measuredViewOpen = 0;
}
