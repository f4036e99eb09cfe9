#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <set>

#include "KelmstarVersion.h"
#include "ProgramFixture.h"
#include "ProgramIcon.h"
#include "TAbout.h"
#include "TData.h"
#include "TErrorDialog.h"

namespace {

QImage Picture(const QIcon& icon, int size) {
    return icon.pixmap(size).toImage();
}

TEST_F(ProgramTest, WindowsCarryTheProgramIconInEverySize) {
    CreateProgram();
    const QIcon icon = ProgramIcon();
    std::set<int> sizes;
    for (const QSize& size : icon.availableSizes()) {
        EXPECT_EQ(size.width(), size.height());
        sizes.insert(size.width());
    }
    EXPECT_EQ(sizes, std::set<int>({16, 22, 24, 32, 48, 64, 128, 256}));
    QList<QWidget*> windows = {&Main(), Windows().About, Windows().Data, Windows().ErrorDialog};
    for (QMdiSubWindow* child : Main().mdiArea->subWindowList()) {
        windows << child;
    }
    for (QWidget* window : windows) {
        for (int size : {16, 48}) {
            EXPECT_EQ(Picture(window->windowIcon(), size), Picture(icon, size))
                << window->windowTitle().toStdString() << " " << size;
        }
    }
}

TEST_F(ProgramTest, AboutBoxShowsTheVersionWhole) {
    CreateProgram();
    const QLabel& comments = *Windows().About->Comments;
    EXPECT_EQ(comments.text(), QString("Shows and logs what a GPS receiver reports over NMEA "
                                       "0183.\nVersion %1")
                                   .arg(kKelmstarVersion));
    const QFontMetrics metrics = comments.fontMetrics();
    const QStringList lines = comments.text().split('\n');
    for (const QString& line : lines) {
        EXPECT_LE(metrics.horizontalAdvance(line), comments.width()) << line.toStdString();
    }
    EXPECT_LE(lines.size() * metrics.lineSpacing(), comments.height());
    EXPECT_LT(comments.geometry().bottom(), Windows().About->OKButton->geometry().top());
    EXPECT_LE(comments.geometry().right(), Windows().About->width());
}

}  // namespace
