#include "TStartTest.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <stdexcept>

#include "AppState.h"
#include "CatchingApplication.h"
#include "ConvertError.h"
#include "DialogChecks.h"
#include "RecordingLink.h"
#include "TStart.h"

namespace {

const std::string kBuiltInBody = "$PQKL104,24.1233321,121.43323,0,75000,216000,521,12,4*";

std::tm FixedClock(int year, int month, int day, int hour, int minute, int second) {
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

// The body of the one write, or an empty text when there was not exactly one.
std::string SentBody(const RecordingLink& link) {
    if (link.writes.size() != 1) {
        return {};
    }
    const std::string& frames = link.writes[0];
    return frames.substr(0, frames.find('*') + 1);
}

QLineEdit* Field(TStart& dialog, const char* name) {
    auto* field = dialog.findChild<QLineEdit*>(name);
    if (field == nullptr) {
        throw std::logic_error(std::string("no field ") + name);
    }
    return field;
}

}  // namespace

void TStartTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    previousDir_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_->path()));
}

void TStartTest::cleanup() {
    QDir::setCurrent(previousDir_);
    dir_.reset();
}

void TStartTest::WriteSettingsFile(const QByteArray& content) const {
    QFile file(dir_->filePath("pelzo.cfg"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray TStartTest::SettingsFileContent() const {
    QFile file(dir_->filePath("pelzo.cfg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

void TStartTest::showsBuiltInTextsWithoutSettingsFile() {
    AppState state;
    RecordingLink link;
    TStart dialog(state, link);
    QCOMPARE(dialog.objectName(), QString("Start"));
    QCOMPARE(dialog.windowTitle(), QString("Receiver Initialization"));
    const std::pair<const char*, const char*> fields[] = {
        {"latedit", "24.1233321"}, {"lonedit", "121.43323"},
        {"heightedit", "0"},       {"clockoffsetedit", "75000"},
        {"yearedit", "1990"},      {"monthedit", "1"},
        {"dateedit", "2"},         {"houredit", "12"},
        {"minuteedit", "00"},      {"secondedit", "00"},
        {"channelsedit", "12"}};
    for (const auto& [name, text] : fields) {
        QCOMPARE(Field(dialog, name)->text(), QString(text));
    }
    QCOMPARE(dialog.systemtimecheck->text(), QString("Use Current DOS Time"));
    QVERIFY(dialog.systemtimecheck->isChecked());
    QCOMPARE(dialog.hotstart->text(), QString("Hot Start"));
    QCOMPARE(dialog.warmstart->text(), QString("Warm Start"));
    QCOMPARE(dialog.coldstart->text(), QString("Cold Start"));
    QVERIFY(dialog.coldstart->isChecked());
    QCOMPARE(dialog.BitBtn1->text(), QString("Send"));
    QCOMPARE(dialog.BitBtn2->text(), QString("Cancel"));
    QCOMPARE(state.portNumber, 0);
    QCOMPARE(state.resetMode, 4);
}

void TStartTest::fillsFieldsFromSettingsFile() {
    WriteSettingsFile("3\n24.50000\n-121.5\n10\n70000\n2001\n3\n4\n5\n0\n7\n10");
    AppState state;
    RecordingLink link;
    TStart dialog(state, link);
    QCOMPARE(state.portNumber, 3);
    QCOMPARE(dialog.latedit->text(), QString("24.50000"));
    QCOMPARE(dialog.lonedit->text(), QString("-121.5"));
    QCOMPARE(dialog.heightedit->text(), QString("10"));
    QCOMPARE(dialog.clockoffsetedit->text(), QString("70000"));
    QCOMPARE(dialog.yearedit->text(), QString("2001"));
    QCOMPARE(dialog.monthedit->text(), QString("3"));
    QCOMPARE(dialog.dateedit->text(), QString("4"));
    QCOMPARE(dialog.houredit->text(), QString("5"));
    QCOMPARE(dialog.minuteedit->text(), QString("0"));
    QCOMPARE(dialog.secondedit->text(), QString("7"));
    QCOMPARE(dialog.channelsedit->text(), QString("10"));
    QCOMPARE(dialog.ClockOffset(), 70000);
    QCOMPARE(dialog.Channels(), 10);
    QCOMPARE(dialog.SentTime().year, 2001);
}

void TStartTest::keepsBuiltInTextsAfterShortSettingsFile() {
    WriteSettingsFile("4\n25.0\n121.0\n5\n60000\n2002\nMarch\n4");
    AppState state;
    RecordingLink link;
    TStart dialog(state, link);
    QCOMPARE(state.portNumber, 4);
    QCOMPARE(dialog.latedit->text(), QString("25.0"));
    QCOMPARE(dialog.clockoffsetedit->text(), QString("60000"));
    QCOMPARE(dialog.yearedit->text(), QString("2002"));
    // From the value that does not match on, the dialog's own texts stay.
    QCOMPARE(dialog.monthedit->text(), QString("1"));
    QCOMPARE(dialog.dateedit->text(), QString("2"));
    QCOMPARE(dialog.minuteedit->text(), QString("00"));
    QCOMPARE(dialog.channelsedit->text(), QString("12"));
}

void TStartTest::clockBoxSwitchesTwelveControls() {
    AppState state;
    RecordingLink link;
    TStart dialog(state, link);
    const QWidget* const dateAndTime[] = {dialog.yearedit, dialog.monthedit,  dialog.dateedit,
                                          dialog.houredit, dialog.minuteedit, dialog.secondedit,
                                          dialog.Label7,   dialog.Label8,     dialog.Label9,
                                          dialog.Label10,  dialog.Label11,    dialog.Label12};
    const QStringList captions{"year", "month", "date", "hour", "minute", "second"};
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(static_cast<const QLabel*>(dateAndTime[6 + i])->text(), captions[i]);
    }
    for (const bool ticked : {true, false, true, false}) {
        dialog.systemtimecheck->setChecked(ticked);
        for (const QWidget* control : dateAndTime) {
            QVERIFY2(control->isEnabled() == !ticked, qPrintable(control->objectName()));
        }
        QVERIFY(dialog.latedit->isEnabled());
        QVERIFY(dialog.channelsedit->isEnabled());
    }
    QTest::mouseClick(dialog.systemtimecheck, Qt::LeftButton);
    QVERIFY(!dialog.yearedit->isEnabled());
}

void TStartTest::resetModeIsTakenAtTheClick_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("code");
    QTest::newRow("hot") << "hotstart" << 1;
    QTest::newRow("warm") << "warmstart" << 2;
    QTest::newRow("cold after warm") << "coldstart" << 4;
}

void TStartTest::resetModeIsTakenAtTheClick() {
    QFETCH(QString, button);
    QFETCH(int, code);
    AppState state;
    RecordingLink link;
    TStart dialog(state, link);
    dialog.warmstart->setChecked(true);
    dialog.show();
    QTest::mouseClick(dialog.findChild<QRadioButton*>(button), Qt::LeftButton);
    QCOMPARE(state.resetMode, code);
    QTest::mouseClick(dialog.BitBtn2, Qt::LeftButton);  // Cancel does not undo the choice
    QVERIFY(!dialog.isVisible());
    QCOMPARE(state.resetMode, code);

    dialog.systemtimecheck->setChecked(false);
    dialog.BitBtn1Click();
    QVERIFY(SentBody(link).ends_with("," + std::to_string(code) + "*"));
}

void TStartTest::sendRunsTheWholeSequence() {
    AppState state;
    RecordingLink link;
    TStart dialog(state, link);
    dialog.systemtimecheck->setChecked(false);
    dialog.BitBtn1Click();
    QCOMPARE(link.calls, (std::vector<std::string>{"write", "buffer", "views", "map"}));
    QCOMPARE(link.writes[0], FiveFrames(kBuiltInBody, "07"));
    QCOMPARE(dialog.SentGpsTime().week, 521);
    QCOMPARE(dialog.SentGpsTime().timeOfWeek, 216000.0f);
    QCOMPARE(dialog.ClockOffset(), 75000);
    QCOMPARE(dialog.Channels(), 12);
    // Minute and second "00" are stored as plain numbers.
    QCOMPARE(SettingsFileContent(), QByteArray("0\n24.1233321\n121.43323\n0\n75000\n"
                                               "1990\n1\n2\n12\n0\n0\n12"));
}

void TStartTest::sendWithComputerClockStoresTheFields() {
    AppState state;
    RecordingLink link;
    TStart dialog(state, link);
    dialog.SetClock([] { return FixedClock(2000, 2, 29, 0, 0, 0); });
    dialog.BitBtn1Click();
    QCOMPARE(SentBody(link),
             std::string("$PQKL104,24.1233321,121.43323,0,75000,172800,1051,12,4*"));
    QCOMPARE(dialog.SentTime().year, 2000);
    QCOMPARE(dialog.SentTime().month, 2);
    QCOMPARE(dialog.SentTime().date, 29);
    // The file keeps the dialog's date and time fields, not the clock's time.
    const QList<QByteArray> lines = SettingsFileContent().split('\n');
    QCOMPARE(lines.size(), 12);
    QCOMPARE(lines.mid(5, 6), (QList<QByteArray>{"1990", "1", "2", "12", "0", "0"}));
}

void TStartTest::sendCarriesTypedTextsAndStoredPort() {
    AppState state;
    RecordingLink link;
    TStart dialog(state, link);
    state.portNumber = 4;  // chosen since start-up in the data source dialog
    dialog.systemtimecheck->setChecked(false);
    QTest::mouseClick(dialog.coldstart, Qt::LeftButton);
    dialog.latedit->setText("24.50000");
    dialog.lonedit->setText(" 121.5");
    dialog.heightedit->setText("-3e2");
    dialog.clockoffsetedit->setText("-100");
    dialog.channelsedit->setText("+8");
    dialog.dateedit->setText("22");
    dialog.monthedit->setText("8");
    dialog.yearedit->setText("1999");
    dialog.houredit->setText("0");
    dialog.BitBtn1Click();
    QCOMPARE(SentBody(link), std::string("$PQKL104,24.50000, 121.5,-3e2,-100,0,1024,8,4*"));
    QVERIFY(SettingsFileContent().startsWith("4\n24.50000\n"));
}

void TStartTest::sentSettingsReadBackAtNextStart() {
    {
        AppState state;
        state.portNumber = 2;
        RecordingLink link;
        TStart dialog(state, link);
        dialog.systemtimecheck->setChecked(false);
        dialog.latedit->setText("51.5");
        dialog.minuteedit->setText("07");
        dialog.BitBtn1Click();
    }
    AppState state;
    RecordingLink link;
    TStart next(state, link);
    QCOMPARE(state.portNumber, 2);
    QCOMPARE(next.latedit->text(), QString("51.5"));
    QCOMPARE(next.minuteedit->text(), QString("7"));
    QCOMPARE(next.secondedit->text(), QString("0"));
    QVERIFY(link.calls.empty());
}

void TStartTest::errorBeforeSendingChangesNothing_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("latitude") << "latedit"
                              << "24,5"
                              << "'24,5' is not a valid floating point value";
    QTest::newRow("longitude") << "lonedit"
                               << ""
                               << "'' is not a valid floating point value";
    QTest::newRow("altitude") << "heightedit"
                              << "high"
                              << "'high' is not a valid floating point value";
    QTest::newRow("clock offset") << "clockoffsetedit"
                                  << "7.5"
                                  << "'7.5' is not a valid integer value";
    QTest::newRow("channels") << "channelsedit"
                              << "twelve"
                              << "'twelve' is not a valid integer value";
    QTest::newRow("year") << "yearedit"
                          << "90s"
                          << "'90s' is not a valid integer value";
    QTest::newRow("second") << "secondedit"
                            << "1e3"
                            << "'1e3' is not a valid integer value";
    QTest::newRow("month 13") << "monthedit"
                              << "13"
                              << "Month 13 is not in the range 1 to 12";
    QTest::newRow("month 0") << "monthedit"
                             << "0"
                             << "Month 0 is not in the range 1 to 12";
    QTest::newRow("latitude too long to store")
        << "latedit" << QString(100, '1')
        << "The latitude text is 100 characters long; at most 99 can be stored";
    QTest::newRow("body too long")
        << "lonedit" << QString(99, '2')
        << "The initialization command would be 210 characters long; at most 199 are allowed, "
           "so shorten the position texts";
}

void TStartTest::errorBeforeSendingChangesNothing() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    WriteSettingsFile("1\n1.0\n2.0\n3\n4\n1995\n5\n6\n7\n8\n9\n10");
    const QByteArray before = SettingsFileContent();
    AppState state;
    RecordingLink link;
    TStart dialog(state, link);
    dialog.systemtimecheck->setChecked(false);
    dialog.latedit->setText(QString(80, '3'));  // long, but fits as long as lonedit is short
    Field(dialog, qPrintable(field))->setText(text);
    try {
        dialog.BitBtn1Click();
        QFAIL("Send did not stop");
    } catch (const std::exception& error) {
        QCOMPARE(QString(error.what()), message);
    }
    QVERIFY(link.calls.empty());
    QCOMPARE(SettingsFileContent(), before);
}

void TStartTest::badDateWhileClockUsedStopsAfterSending() {
    WriteSettingsFile("1\n1.0\n2.0\n3\n4\n1995\n5\n6\n7\n8\n9\n10");
    const QByteArray before = SettingsFileContent();
    AppState state;
    RecordingLink link;
    TStart dialog(state, link);
    dialog.SetClock([] { return FixedClock(1980, 1, 6, 0, 0, 0); });
    dialog.dateedit->setText("x");
    try {
        dialog.BitBtn1Click();
        QFAIL("Send did not stop");
    } catch (const ConvertError& error) {
        QCOMPARE(QString(error.what()), QString("'x' is not a valid integer value"));
    }
    // Sent and the buffer emptied, then stopped before the file, views and map.
    QCOMPARE(link.calls, (std::vector<std::string>{"write", "buffer"}));
    QCOMPARE(SentBody(link), std::string("$PQKL104,1.0,2.0,3,4,0,0,10,4*"));
    QCOMPARE(SettingsFileContent(), before);
}

void TStartTest::sendButtonClosesEvenOnError() {
    AppState state;
    RecordingLink link;
    TStart dialog(state, link);
    auto& app = CatchingApplication::Instance();
    app.lastError.clear();
    dialog.latedit->setText("north");
    dialog.open();
    QVERIFY(dialog.isVisible());
    QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(app.lastError, std::string("'north' is not a valid floating point value"));
    QVERIFY(link.calls.empty());

    dialog.latedit->setText("24.0");
    dialog.open();
    QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(link.calls.size(), size_t{4});
}

void TStartTest::cancelKeepsTypedTexts() {
    AppState state;
    RecordingLink link;
    TStart dialog(state, link);
    dialog.open();
    dialog.latedit->clear();
    QTest::keyClicks(dialog.latedit, "48.25");
    QTest::mouseClick(dialog.BitBtn2, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.latedit->text(), QString("48.25"));
    QVERIFY(link.calls.empty());
    QCOMPARE(SettingsFileContent(), QByteArray("(no file)"));
}

void TStartTest::textsFit() {
    AppState state;
    RecordingLink link;
    TStart dialog(state, link);
    VerifyTextsFit(dialog);
}
