#pragma once

#include <span>

#include "AppState.h"
#include "NavState.h"
#include "SentenceType.h"
#include "TMDIChild.h"

class QFrame;
class QLabel;
class QWidget;
class TValueLabel;

// The "Measured Navigation Message View": position, altitude, UTC time, speed, heading,
// fix and differential mode, satellites in view and the three dilutions of precision, as
// the decoder last left them. It holds no data of its own; the decode tick writes it.
class TParameter : public TMDIChild {
    Q_OBJECT

public:
    static constexpr int kLeft = 353;
    static constexpr int kTop = 230;
    static constexpr int kWidth = 524;
    static constexpr int kHeight = 240;
    static constexpr int kFontPixelSize = 13;
    static constexpr int kMargin = 8;  // pixels of white after the last row and column
    // speedKnots times this is metres per second (1 / 1.9438).
    static constexpr double kMetresPerSecondPerKnot = 0.5144562197756971;

    explicit TParameter(AppState& state, QWidget* parent = nullptr);
    ~TParameter() override;

    // Rewrites the labels that a sentence of `type` feeds, from `nav` after its parse.
    // Types other than GSV, GGA, GSA and RMC change nothing.
    void ShowMeasuredValues(SentenceType type, const NavState& nav);

    // Puts every value label back to the text it had when the view was created.
    void ResetValues();

private:
    struct CaptionSpec;
    struct ValueSpec;
    static std::span<const CaptionSpec> Captions();
    static std::span<const ValueSpec> Values();

    QWidget* ScrollingClientArea();
    QWidget* BuildClientArea();
    void ShowSatsInView(const NavState& nav);
    void ShowGgaValues(const NavState& nav);
    void ShowGsaValues(const NavState& nav);
    void ShowRmcValues(const NavState& nav);
    void FormDestroy();

    AppState& state_;

    QFrame* Bevel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Velocity = nullptr;
    TValueLabel* latdirlabel = nullptr;
    TValueLabel* latlabel = nullptr;
    TValueLabel* londirlabel = nullptr;
    TValueLabel* longlabel = nullptr;
    TValueLabel* heightlabel = nullptr;
    TValueLabel* fixlabel = nullptr;
    TValueLabel* dgpslabel = nullptr;
    TValueLabel* satslabel = nullptr;
    TValueLabel* pdoplabel = nullptr;
    TValueLabel* hdoplabel = nullptr;
    TValueLabel* vdoplabel = nullptr;
    TValueLabel* headinglabel = nullptr;
    TValueLabel* velocitylabel = nullptr;
    TValueLabel* hourlabel = nullptr;
    TValueLabel* minutelabel = nullptr;
    TValueLabel* secondlabel = nullptr;
};
