#pragma once

#include <QObject>

// Tests of the "Sentence Setup" dialog.
class TsentencesetupTest : public QObject {
    Q_OBJECT

private slots:
    void hasTheBuiltInSelection();
    void sendsSixCommandsInCodeOrder();
    void sendsClearedBoxesAsSwitchedOff();
    void checksumFlagFollowsItsBox();
    void sendsTypedRatesAsTheyAre();
    void typedRatesStayOutOfTheLists();
    void badRateStopsAtItsSentence();
    void clearedBoxDoesNotReadItsRate();
    void sendButtonClosesEvenOnError();
    void setDefaultsRestoresAndStaysOpen();
    void selectionFollowsTheBoxes();
    void textsFit();
};
