#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include <string>

#include "TSource.h"
#include "ViewShot.h"

namespace {

constexpr const char* kRmc = "GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";

QStringList RowTexts(const TSource& view) {
    QStringList texts;
    for (int row = 1; row <= TSource::kRowCount; ++row) {
        texts << view.findChild<QLabel*>(QString("Label%1").arg(row))->text();
    }
    return texts;
}

}  // namespace

class TSourceTest : public QObject {
    Q_OBJECT

private slots:
    void window();
    void rowLayout_data();
    void rowLayout();
    void shownText_data();
    void shownText();
    void eachRowIsItsOwn();
    void rowOutsideRangeChangesNothing_data();
    void rowOutsideRangeChangesNothing();
    void nullTextEmptiesRow();
    void longTextIsCutNotWrapped();
    void clearing();
    void keepsSizeInMdiArea();
    void destructionClearsFlag();
    void closeClearsFlag();
    void rendering();

private:
    AppState state_;
};

void TSourceTest::window() {
    TSource view(state_);
    QCOMPARE(view.objectName(), QString("Source"));
    QCOMPARE(view.windowTitle(), QString("Message View"));
    QCOMPARE(view.pos(), QPoint(285, 269));
    QCOMPARE(view.size(), QSize(599, 226));
    auto* scroller = qobject_cast<QScrollArea*>(view.widget());
    QVERIFY(scroller != nullptr);
    QWidget* rows = scroller->widget();
    QCOMPARE(rows->size(), QSize(1200, 2000));
    QCOMPARE(rows->font().family(), QString("Arial"));
    QCOMPARE(rows->font().pixelSize(), 13);
    QVERIFY(rows->autoFillBackground());
    QCOMPARE(rows->palette().color(QPalette::Window), QColor(Qt::white));
    // The area is smaller than the rows' canvas, so both bars have a range to scroll.
    view.show();
    QTRY_VERIFY(scroller->horizontalScrollBar()->maximum() > 0);
    QCOMPARE(scroller->horizontalScrollBar()->maximum(), 1200 - scroller->viewport()->width());
    QCOMPARE(scroller->verticalScrollBar()->maximum(), 2000 - scroller->viewport()->height());
}

void TSourceTest::rowLayout_data() {
    QTest::addColumn<int>("top");
    for (int row = 1; row <= 8; ++row) {
        QTest::newRow(qPrintable(QString("Label%1").arg(row))) << (row - 1) * 16;
    }
}

void TSourceTest::rowLayout() {
    QFETCH(int, top);
    TSource view(state_);
    const auto* label = view.findChild<QLabel*>(QTest::currentDataTag());
    QVERIFY(label != nullptr);
    QCOMPARE(label->geometry(), QRect(0, top, 537, 16));
    QCOMPARE(label->minimumSize(), label->maximumSize());
    QVERIFY(label->text().isEmpty());
    QVERIFY(!label->wordWrap());
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QVERIFY(label->autoFillBackground());
    QCOMPARE(label->palette().color(QPalette::Window), QColor(Qt::white));
}

void TSourceTest::shownText_data() {
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<QString>("shown");
    const QByteArray rmc(kRmc);
    QTest::newRow("live line end") << rmc + "\r\n" << QString(kRmc);
    QTest::newRow("replayed line end") << rmc + "\n" << QString(kRmc);
    QTest::newRow("no line end") << rmc << QString(kRmc);
    QTest::newRow("carriage return only") << rmc + "\r" << QString(kRmc);
    QTest::newRow("line end only") << QByteArray("\r\n") << QString();
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("inner return kept")
        << QByteArray("GPGLL,a\rb*00\r\n") << QString("GPGLL,a\rb*00");
    QTest::newRow("trailing blank kept") << QByteArray("GPVTG,* \r\n") << QString("GPVTG,* ");
    QTest::newRow("markup stays text")
        << QByteArray("GPGSA,<b>x</b>*00\r\n") << QString("GPGSA,<b>x</b>*00");
    QTest::newRow("UTF-8") << QByteArray("GPTXT,\xC2\xB0*00\r\n")
                           << QString::fromUtf8("GPTXT,\xC2\xB0*00");
    QTest::newRow("not UTF-8") << QByteArray("GPTXT,\xB0\xFF*00\r\n")
                               << QString::fromLatin1("GPTXT,\xB0\xFF*00");
    QTest::newRow("cut UTF-8 sequence")
        << QByteArray("GPTXT,\xC2\r\n") << QString::fromLatin1("GPTXT,\xC2");
}

void TSourceTest::shownText() {
    QFETCH(QByteArray, received);
    QFETCH(QString, shown);
    TSource view(state_);
    QVERIFY(view.ShowMessageRow(6, received.constData()));
    QCOMPARE(view.findChild<QLabel*>("Label6")->text(), shown);
}

void TSourceTest::eachRowIsItsOwn() {
    TSource view(state_);
    QStringList expected(8);
    for (int row = 1; row <= 8; ++row) {
        const std::string text = "GPXXX,row" + std::to_string(row) + "*00\r\n";
        QVERIFY(view.ShowMessageRow(row, text.c_str()));
        expected[row - 1] = QString("GPXXX,row%1*00").arg(row);
        QCOMPARE(RowTexts(view), expected);
    }
    // A later sentence of a kind replaces only its own row.
    QVERIFY(view.ShowMessageRow(4, "GPGGA,new*00\r\n"));
    expected[3] = "GPGGA,new*00";
    QCOMPARE(RowTexts(view), expected);
}

void TSourceTest::rowOutsideRangeChangesNothing_data() {
    QTest::addColumn<int>("row");
    for (int row : {0, 9, -1, 1000}) {
        QTest::newRow(qPrintable(QString::number(row))) << row;
    }
}

void TSourceTest::rowOutsideRangeChangesNothing() {
    QFETCH(int, row);
    TSource view(state_);
    for (int r = 1; r <= 8; ++r) {
        view.ShowMessageRow(r, kRmc);
    }
    const QStringList before = RowTexts(view);
    QVERIFY(!view.ShowMessageRow(row, "GPGGA*00\r\n"));
    QVERIFY(!view.ClearRow(row));
    view.ClearRows({row});
    QCOMPARE(RowTexts(view), before);
}

void TSourceTest::nullTextEmptiesRow() {
    TSource view(state_);
    view.ShowMessageRow(2, kRmc);
    QVERIFY(view.ShowMessageRow(2, static_cast<const char*>(nullptr)));
    QVERIFY(view.findChild<QLabel*>("Label2")->text().isEmpty());
}

void TSourceTest::longTextIsCutNotWrapped() {
    TSource view(state_);
    const std::string longText = std::string(kRmc) + std::string(120, 'X') + "*00\r\n";
    view.ShowMessageRow(1, longText.c_str());
    const auto* label = view.findChild<QLabel*>("Label1");
    // The whole text is kept; only the fixed row limits what is seen.
    QCOMPARE(label->text(), QString::fromLatin1(longText.substr(0, longText.size() - 2)));
    QCOMPARE(label->geometry(), QRect(0, 0, 537, 16));
    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) > label->width());
}

void TSourceTest::clearing() {
    TSource view(state_);
    for (int row = 1; row <= 8; ++row) {
        view.ShowMessageRow(row, kRmc);
    }
    QVERIFY(view.ClearRow(5));
    QStringList expected(8, QString(kRmc));
    expected[4].clear();
    QCOMPARE(RowTexts(view), expected);
    // After a receiver initialisation every row but GLL's is emptied.
    view.ClearRows({1, 2, 3, 4, 5, 6, 7});
    QCOMPARE(RowTexts(view), QStringList({"", "", "", "", "", "", "", kRmc}));
    const int gll[] = {8};
    view.ClearRows(gll);
    QCOMPARE(RowTexts(view), QStringList(8));
}

void TSourceTest::keepsSizeInMdiArea() {
    QMdiArea area;
    area.resize(1000, 700);
    area.show();
    auto* view = new TSource(state_);
    area.addSubWindow(view);
    view->show();
    QCOMPARE(area.subWindowList().size(), 1);
    // The area chooses where a new child goes; the size is the view's own.
    QCOMPARE(view->size(), QSize(599, 226));
    QCOMPARE(view->widget()->parentWidget(), view);
}

void TSourceTest::destructionClearsFlag() {
    AppState state;
    auto* view = new TSource(state);
    QCOMPARE(state.messageViewOpen, 1);
    delete view;
    QCOMPARE(state.messageViewOpen, 0);
    QCOMPARE(state.measuredViewOpen, 1);
}

void TSourceTest::closeClearsFlag() {
    AppState state;
    QPointer<TSource> view = new TSource(state);
    view->show();
    QVERIFY(view->close());
    QTRY_VERIFY(view.isNull());
    QCOMPARE(state.messageViewOpen, 0);
}

void TSourceTest::rendering() {
    QMdiArea area;
    auto* shown = new TSource(state_);
    TSource& view = *shown;
    const char* sentences[] = {
        "GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00*74\r\n",
        "GPGSV,3,2,11,14,25,170,00,16,57,208,39,18,67,296,40,19,40,246,00*74\r\n",
        "GPGSV,3,3,11,22,42,067,42,24,14,311,43,27,05,244,00,,,,*4D\r\n",
        "GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n",
        "GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n",
        "GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n",
        "GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n",
        "GPGLL,4916.45,N,12311.12,W,225444,A,*1D\r\n",
    };
    for (int row = 1; row <= 8; ++row) {
        view.ShowMessageRow(row, sentences[row - 1]);
    }
    const QImage shot = GrabView(area, shown, "TSource");
    QCOMPARE(shot.size() / shot.devicePixelRatio(), view.size());
    // Every row shows at least the start of its sentence inside the visible area.
    const auto* scroller = qobject_cast<QScrollArea*>(view.widget());
    const QRect visible(QPoint(0, 0), scroller->viewport()->size());
    for (int row = 1; row <= 8; ++row) {
        const auto* label = view.findChild<QLabel*>(QString("Label%1").arg(row));
        QVERIFY(visible.intersects(label->geometry()));
    }
}

QTEST_MAIN(TSourceTest)
#include "TSourceTest.moc"
