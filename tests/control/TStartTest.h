#pragma once

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// Tests of the "Receiver Initialization" dialog, each run in an empty current directory.
class TStartTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsBuiltInTextsWithoutSettingsFile();
    void fillsFieldsFromSettingsFile();
    void keepsBuiltInTextsAfterShortSettingsFile();
    void clockBoxSwitchesTwelveControls();
    void resetModeIsTakenAtTheClick_data();
    void resetModeIsTakenAtTheClick();
    void sendRunsTheWholeSequence();
    void sendWithComputerClockStoresTheFields();
    void sendCarriesTypedTextsAndStoredPort();
    void sentSettingsReadBackAtNextStart();
    void errorBeforeSendingChangesNothing_data();
    void errorBeforeSendingChangesNothing();
    void badDateWhileClockUsedStopsAfterSending();
    void sendButtonClosesEvenOnError();
    void cancelKeepsTypedTexts();
    void textsFit();

private:
    void WriteSettingsFile(const QByteArray& content) const;
    QByteArray SettingsFileContent() const;

    std::unique_ptr<QTemporaryDir> dir_;
    QString previousDir_;
};
