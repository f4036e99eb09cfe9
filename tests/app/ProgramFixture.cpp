#include "ProgramFixture.h"

#include <QApplication>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <fstream>
#include <sstream>

#include "PlaybackControl.h"
#include "TData.h"
#include "TErrorDialog.h"

namespace {
KelmstarApplication* testApplication = nullptr;
}  // namespace

void SetTestApplication(KelmstarApplication* application) {
    testApplication = application;
}

KelmstarApplication& TestApplication() {
    return *testApplication;
}

QStringList& ReportedErrors() {
    static QStringList errors;
    return errors;
}

void ProgramTest::SetUp() {
    TestApplication().reportError = [](const QString& text) { ReportedErrors().append(text); };
    ReportedErrors().clear();
    previousDirectory = std::filesystem::current_path();
    char pattern[] = "/tmp/kelmstar-app-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory = pattern;
    std::filesystem::current_path(directory);
    // Every test starts as a first run, with settings of its own: CTest runs tests side by
    // side, and one clearing shared settings would pull them from under another.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString((directory / "config").string()));
    QSettings().clear();
}

void ProgramTest::CreateProgram() {
    program = std::make_unique<Program>();
    Main().runModal = [this](QDialog& dialog) {
        modalDialogs.append(dialog.objectName());
        if (auto* error = qobject_cast<TErrorDialog*>(&dialog)) {
            errorDialogTexts.append(error->Label1->text());
        }
        return int(QDialog::Accepted);
    };
    Main().runFileDialog = [this](QFileDialog&) { return nextChosenFile; };
    program->Show();
}

void ProgramTest::TearDown() {
    program.reset();
    std::filesystem::current_path(previousDirectory);
    std::filesystem::remove_all(directory);
}

QString ProgramTest::LabelText(QWidget* window, const char* name) {
    if (window == nullptr) {
        return "<no window>";
    }
    auto* label = window->findChild<QLabel*>(name);
    return label != nullptr ? label->text() : QString("<no label %1>").arg(name);
}

void ProgramTest::FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool ProgramTest::WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) {
        QTest::qWait(10);
    }
    return done();
}

void ProgramTest::WriteFile(const std::string& name, const std::string& content) const {
    std::ofstream(Path(name), std::ios::binary) << content;
}

std::string ProgramTest::ReadFile(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> ProgramTest::ReadLines(const std::string& name) const {
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(name));
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool ProgramTest::PlayToEnd(const QString& path) {
    Windows().Data->file->click();
    nextChosenFile = path;
    Windows().Data->browseClick();
    Windows().Data->BitBtn1Click();
    Main().Playback->SetSpeed(PlaybackControl::Speed::Fastest);
    Main().Start1Click();
    const bool ended = WaitFor([&] { return Main().Playback->Finished(); }, 20000);
    Main().Timer2Timer();
    return ended;
}
