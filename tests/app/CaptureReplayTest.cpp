// A real receiver capture through a pseudo-terminal at 4800 baud into the whole program,
// checked against what the log inspector decodes from the same bytes.

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "DecodeTick.h"
#include "LinePacer.h"
#include "LogDecoder.h"
#include "ProgramFixture.h"
#include "PseudoTerminal.h"
#include "SignalLevelRows.h"
#include "TData.h"
#include "TLevel.h"
#include "TParameter.h"
#include "TSource.h"

namespace {

// The capture from its first sentence through the second epoch's GSA: about 750 bytes,
// 1.6 s on the line.
std::string CaptureSlice() {
    std::ifstream in(std::string(KELMSTAR_CAPTURES) + "/garmin-geko201.log", std::ios::binary);
    std::string slice;
    std::string line;
    int gsaSeen = 0;
    while (gsaSeen < 2 && std::getline(in, line)) {
        if (line.starts_with("$")) {
            slice += line + "\n";
            gsaSeen += line.starts_with("$GPGSA") ? 1 : 0;
        }
    }
    return slice;
}

// What the program frames of `bytes`: whole sentences while 100 bytes or more are
// buffered, so the bytes after the first sentence that leaves fewer stay unframed.
std::size_t FramedLength(const std::string& bytes) {
    std::size_t end = 0;
    while (bytes.size() - end >= DecodeTick::kFrameThreshold) {
        end = bytes.find('\n', end) + 1;
    }
    return end;
}

// The log inspector's JSON lines for `bytes`.
QList<QJsonObject> Decode(std::string bytes) {
    std::FILE* input = fmemopen(bytes.data(), bytes.size(), "r");
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* output = open_memstream(&text, &size);
    LogDecoder(output).Decode(input);
    std::fclose(input);
    std::fclose(output);
    QList<QJsonObject> records;
    std::istringstream lines(std::string(text, size));
    std::free(text);
    for (std::string line; std::getline(lines, line);) {
        records.append(QJsonDocument::fromJson(QByteArray::fromStdString(line)).object());
    }
    return records;
}

float Float(const QJsonObject& record, const char* key) {
    return static_cast<float>(record[key].toDouble());
}

// The Message View row a record's sentence goes to; 0 for none.
int RowOf(const QJsonObject& record) {
    const QString sentence = record["sentence"].toString();
    const std::pair<const char*, int> rows[] = {
        {"GPGGA", 4}, {"GPGSA", 5}, {"GPRMC", 6}, {"GPVTG", 7}, {"GPGLL", 8}};
    for (const auto& [kind, row] : rows) {
        if (sentence.startsWith(kind)) {
            return row;
        }
    }
    return sentence.startsWith("GPGSV") ? record["gsvMessageNumber"].toInt() : 0;
}

class CaptureReplayTest : public ProgramTest {
protected:
    QString Measured(const char* label) { return LabelText(Windows().Parameter, label); }
    QString MessageRow(int row) {
        return LabelText(Windows().Source, ("Label" + std::to_string(row)).c_str()).trimmed();
    }

    // Writes `bytes` no faster than the line carries them: the pseudo-terminal itself
    // passes them on at once, whatever its speed setting.
    void SendAtLineSpeed(const PseudoTerminal& receiver, const std::string& bytes) {
        kelmsim::LinePacer line(Main().Comm1.BaudRate());
        QElapsedTimer clock;
        clock.start();
        for (std::size_t sent = 0; sent < bytes.size();) {
            const double now = static_cast<double>(clock.nsecsElapsed()) / 1e9;
            if (!line.ready(now)) {
                QTest::qWait(static_cast<int>((line.readyAt() - now) * 1000) + 1);
                continue;
            }
            const std::size_t chunk = std::min(line.chunkBytes(), bytes.size() - sent);
            ASSERT_TRUE(receiver.Write(bytes.substr(sent, chunk)));
            line.sent(chunk, now);
            sent += chunk;
        }
    }
};

TEST_F(CaptureReplayTest, ViewsShowWhatTheLogInspectorDecodes) {
    const std::string slice = CaptureSlice();
    const std::size_t framed = FramedLength(slice);
    const QList<QJsonObject> records = Decode(slice.substr(0, framed));
    ASSERT_FALSE(records.isEmpty());
    const QJsonObject last = records.back();
    ASSERT_TRUE(last["sentence"].toString().startsWith("GPGGA"));  // its row shows when it is in
    QStringList rows(8);
    for (const QJsonObject& record : records) {
        if (const int row = RowOf(record); row > 0) {
            rows[row - 1] = record["sentence"].toString();
        }
    }
    rows[6] = rows[7] = "";  // VTG and GLL are not ticked in Sentence Setup

    CreateProgram();
    PseudoTerminal receiver;
    Windows().Data->comsetting->setEditText(QString::fromStdString(receiver.Path()));
    Windows().Data->BitBtn1Click();
    Main().Start1Click();
    ASSERT_TRUE(Main().Comm1.IsOpen());
    ASSERT_EQ(Main().Comm1.BaudRate(), 4800);
    SendAtLineSpeed(receiver, slice);
    ASSERT_TRUE(WaitFor([&] {
        return MessageRow(4) == rows[3] &&
               program->Buffer().Count() == static_cast<int>(slice.size() - framed);
    })) << MessageRow(4).toStdString()
        << " with " << program->Buffer().Count() << " bytes left";

    QStringList shownRows;
    for (int row = 1; row <= 8; ++row) {
        shownRows << MessageRow(row);
    }
    EXPECT_EQ(shownRows, rows);

    const char* fixTexts[] = {"NONE", "NONE", "2D", "3D"};
    const std::pair<const char*, QString> labels[] = {
        {"latlabel", QString::asprintf("%.6f", Float(last, "latitude"))},
        {"latdirlabel", last["latHemisphere"].toString()},
        {"longlabel", QString::asprintf("%.6f", Float(last, "longitude"))},
        {"londirlabel", last["lonHemisphere"].toString()},
        {"heightlabel", QString::asprintf("%.1f", Float(last, "altitude"))},
        {"fixlabel", fixTexts[std::clamp(last["fixMode"].toInt(), 0, 3)]},
        {"dgpslabel", last["ggaQuality"].toInt() == 2 ? "ON" : "NONE"},
        {"satslabel", QString::number(last["satsInView"].toInt())},
        {"pdoplabel", QString::asprintf("%.1f", Float(last, "pdop"))},
        {"hdoplabel", QString::asprintf("%.1f", Float(last, "hdop"))},
        {"vdoplabel", QString::asprintf("%.1f", Float(last, "vdop"))},
        {"velocitylabel",
         QString::asprintf("%.1f", Float(last, "speedKnots") * 0.5144562197756971)},
        {"headinglabel", QString::asprintf("%.1f", Float(last, "courseDeg"))},
        {"hourlabel", QString::asprintf("%02d", last["utcHour"].toInt())},
        {"minutelabel", QString::asprintf("%02d", last["utcMinute"].toInt())},
        {"secondlabel", QString::asprintf("%02d", static_cast<int>(Float(last, "utcSecond")))},
    };
    for (const auto& [label, text] : labels) {
        EXPECT_EQ(Measured(label), text) << label;
    }

    const QJsonArray sats = last["sats"].toArray();
    for (int channel = 0; channel < NavState::kChannels; ++channel) {
        const QJsonObject sat = sats[channel].toObject();
        const SatInView expected{sat["prn"].toInt(), sat["elevation"].toInt(),
                                 sat["azimuth"].toInt(),
                                 static_cast<std::uint8_t>(sat["snr"].toInt())};
        EXPECT_EQ(LabelText(Windows().Level.data(), ("CH" + std::to_string(channel + 1)).c_str()),
                  QString::fromStdString(FormatSignalRow(expected)))
            << "CH" << channel + 1;
    }
    Main().Stop1Click();
}

}  // namespace
