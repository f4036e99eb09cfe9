#include <QApplication>
#include <QTest>
#include <exception>

#include "CatchingApplication.h"
#include "TStartTest.h"
#include "TsentencesetupTest.h"

int main(int argc, char** argv) {
    CatchingApplication app(argc, argv);
    TStartTest start;
    TsentencesetupTest sentences;
    int failed = QTest::qExec(&start, argc, argv);
    failed += QTest::qExec(&sentences, argc, argv);
    return failed;
}
