#include "Program.h"

#include <QMetaObject>

#include "StartOnSource.h"

#include "TAbout.h"
#include "TData.h"
#include "TErrorDialog.h"
#include "TLogFileSetting.h"
#include "TMainForm.h"
#include "TStart.h"
#include "Tsentencesetup.h"
#include "Tviewsetting.h"

Program::Program(std::unique_ptr<DeviceFactory> devices) {
    mainForm_ = std::make_unique<TMainForm>(ProgramRecords{state_, nav_, buffer_, track_, centre_},
                                            windows_, std::move(devices));
    TMainForm& main = *mainForm_;
    // Dialogs belong to the main window so that they go with it; all but the about box and
    // the error dialog are centred on it.
    windows_.About = new TAbout(&main);
    main.CreateTrackingView();
    main.CreateMessageView();
    windows_.Start = new TStart(state_, main, &main);
    main.CreateMapView();
    main.CreateLevelView();
    main.CreateMeasuredView();
    windows_.ErrorDialog = new TErrorDialog(&main);
    windows_.viewsetting = new Tviewsetting(state_, &main);
    windows_.Data = new TData(state_, main.Comm1, main, &main);
    windows_.LogFileSetting = new TLogFileSetting(state_, main, &main);
    windows_.sentencesetup = new Tsentencesetup(main, &main);
}

Program::~Program() {
    // The main window owns the dialogs and the views; it goes before the records.
    mainForm_.reset();
}

void Program::Show() {
    mainForm_->ShowDesktop();
}

void Program::StartOn(const std::string& source) {
    // Queued, so that an error thrown by Start reaches the application's handler.
    QMetaObject::invokeMethod(
        mainForm_.get(), [this, source] { StartOnSource::Run(*this, source); },
        Qt::QueuedConnection);
}
