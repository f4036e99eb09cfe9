#include "TMainForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cerrno>

#include "FileDialogRun.h"
#include "LineMonitor.h"
#include "LineStatisticsView.h"
#include "LogRefusal.h"
#include "MainStatusBar.h"
#include "MdiGrid.h"
#include "MdiLayout.h"
#include "NetworkDeviceFactory.h"
#include "NetworkSourceName.h"
#include "PlaybackControl.h"
#include "PlaybackFeeder.h"
#include "PositionStatisticsView.h"
#include "SatelliteSystemsDialog.h"
#include "SatellitesView.h"
#include "ScreenCentre.h"
#include "SettingsFile.h"
#include "ShareOnNetwork.h"
#include "SignalHistoryView.h"
#include "SourceConnector.h"
#include "TAbout.h"
#include "TData.h"
#include "TErrorDialog.h"
#include "TLevel.h"
#include "TLogFileSetting.h"
#include "TParameter.h"
#include "TSource.h"
#include "TStart.h"
#include "TTracking.h"
#include "TView.h"
#include "ToolbarGlyphs.h"
#include "Tsentencesetup.h"
#include "TtffDialog.h"
#include "Tviewsetting.h"

namespace {

constexpr int kWidth = 624;
constexpr int kHeight = 475;
constexpr int kSpeedPanelHeight = 33;
constexpr int kSpeedButtonSize = 25;
constexpr int kSpeedButtonTop = 4;
constexpr int kPlaybackControlsLeft = 256;  // after the last button, which ends at 246
// What a window manager's title bar and borders may take around the main window.
constexpr QSize kWindowFrame{16, 48};
// How long the note on talkers not shown stays in the status bar.
constexpr int kHiddenTalkersMs = 20000;

}  // namespace

TMainForm::TMainForm(ProgramRecords records, ProgramWindows& windows,
                     std::unique_ptr<DeviceFactory> devices)
    : Comm1(std::make_unique<NetworkDeviceFactory>(
          std::move(devices), std::bind_front(&TMainForm::TakeConnected, this))),
      state_(records.state),
      nav_(records.nav),
      buffer_(records.buffer),
      track_(records.track),
      centre_(records.centre),
      windows_(windows),
      feed_(records.state, windows, log_),
      tick_(records.buffer, records.nav) {
    setObjectName("MainForm");
    setWindowTitle("Kelmstar Demo NMEA Version");
    QFont font("MS Sans Serif");
    font.setPixelSize(13);
    setFont(font);
    resize(kWidth, kHeight);
    CentreOnScreen(*this);

    runModal = [](QDialog& dialog) { return dialog.exec(); };
    runFileDialog = RunFileDialogClosingPopups;

    mdiArea = new QMdiArea;
    mdiArea->setObjectName("ClientArea");
    CreateToolbar();
    CreateMenus();
    StatusBar1 = new MainStatusBar;
    setStatusBar(StatusBar1);
    Connector = new SourceConnector(this);
    lineMonitor = new LineMonitor(Comm1, *StatusBar1, nav_, *Connector, this);
    feed_.onFramed = [this](const char* text) { SentenceFramed(text); };
    lineMonitor->serialChosen = [this] { return SerialChosen(); };
    Share = new ShareOnNetwork(*StatusBar1, this);
    systems_.onEpoch = [this](const GnssEpoch& epoch) { history_.Epoch(epoch); };
    tick_.SetDecoder(
        [this](const SentenceBuffer& sentence, NavState& nav, DecodeListener& listener) {
            systems_.Decode(sentence, nav, listener);
        });

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(kDecodeInterval);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    Timer2 = new QTimer(this);
    Timer2->setObjectName("Timer2");
    Timer2->setTimerType(Qt::PreciseTimer);
    Timer2->setInterval(kRefreshInterval);
    connect(Timer2, &QTimer::timeout, this, &TMainForm::Timer2Timer);

    Playback = new PlaybackControl(
        PlaybackHost{state_, buffer_, windows_, *Timer1, [this] { return DecodePlayback(); },
                     [this](std::string_view line) { PlaybackLineFed(line); },
                     [this] { PlaybackEnded(); }},
        this);
    Playback->Install(SpeedPanel, kPlaybackControlsLeft, Operate1, StatusBar1);
    Operate1->addSeparator();
    TtffTest1 = Operate1->addAction("Time to First &Fix Test...");
    TtffTest1->setObjectName("TtffTest1");
    connect(TtffTest1, &QAction::triggered, this, &TMainForm::TtffTest1Click);
    feed_.SetObserver(Playback);
    lineMonitor->playbackHold = [this] { return HeldPlayback(); };
    ApplySatelliteSystems(SatelliteSystemsDialog::StoredAllSystems());
    connect(Playback->PauseButton, &QToolButton::toggled, lineMonitor,
            &LineMonitor::PlaybackHoldChanged);
    connect(Playback->PauseItem, &QAction::toggled, lineMonitor, &LineMonitor::PlaybackHoldChanged);

    Comm1.SetCommName("COM2");
    Comm1.SetBaudRate(4800);
    // A steady stream (ten sentence groups a second) never pauses for the 100 ms interval,
    // so without a total limit a read would wait for 2048 bytes and hold sentences back
    // for up to 0.4 s at 115200 baud.
    Comm1.SetReadTotalTimeoutConstant(kReadTotalLimit);
    Comm1.OnReceiveData = [this](TComm& sender, const char* buffer, std::uint16_t length) {
        Comm1ReceiveData(sender, buffer, length);
    };
    Comm1.OnRequestHangup = [this](TComm&) {
        lineMonitor->HungUp();
        Share->Restart();  // the next bytes come from the device opened anew
    };
    FormCreate();
}

TMainForm::~TMainForm() {
    FormDestroy();
}

void TMainForm::FormCreate() {
    activationWatch_ =
        connect(mdiArea, &QMdiArea::subWindowActivated, this, &TMainForm::UpdateMenuItems);
    Comm1.ClosePort();
    state_.measuredViewOpen = 1;
    state_.signalLevelViewOpen = 1;
    state_.messageViewOpen = 1;
    state_.mapViewOpen = 1;
    state_.trackingViewOpen = 1;
    state_.mapCentreSet = 0;
    state_.portNumber = ReadPortNumber();
    if (const char* name = StoredPortName(state_.portNumber)) {
        Comm1.SetCommName(name);
    }
    UpdateMenuItems();
}

void TMainForm::FormDestroy() {
    disconnect(activationWatch_);
    Comm1.ClosePort();
}

QToolButton* TMainForm::AddSpeedButton(const char* name, int left, int glyph,
                                       void (TMainForm::*click)()) {
    auto* button = new QToolButton(SpeedPanel);
    button->setObjectName(name);
    button->setGeometry(left, kSpeedButtonTop, kSpeedButtonSize, kSpeedButtonSize);
    button->setIcon(GlyphIcon(static_cast<Glyph>(glyph)));
    button->setAutoRaise(false);
    connect(button, &QToolButton::clicked, this, click);
    return button;
}

void TMainForm::CreateToolbar() {
    SpeedPanel = new QWidget(this);
    SpeedPanel->setObjectName("SpeedPanel");
    SpeedPanel->setFixedHeight(kSpeedPanelHeight);
    OpenBtn = AddSpeedButton("OpenBtn", 9, int(Glyph::Open), &TMainForm::FileOpenItemClick);
    SpeedButton2 =
        AddSpeedButton("SpeedButton2", 44, int(Glyph::SignalLevel), &TMainForm::SpeedButton2Click);
    SpeedButton3 =
        AddSpeedButton("SpeedButton3", 70, int(Glyph::SkyPlot), &TMainForm::SpeedButton3Click);
    SpeedButton4 =
        AddSpeedButton("SpeedButton4", 96, int(Glyph::Map), &TMainForm::SpeedButton4Click);
    SpeedButton6 = AddSpeedButton("SpeedButton6", 132, int(Glyph::Start), &TMainForm::Start1Click);
    SpeedButton7 = AddSpeedButton("SpeedButton7", 158, int(Glyph::Stop), &TMainForm::Stop1Click);
    SpeedButton1 =
        AddSpeedButton("SpeedButton1", 184, int(Glyph::LogFile), &TMainForm::SpeedButton1Click);
    SpeedButton5 = AddSpeedButton("SpeedButton5", 221, int(Glyph::ReceiverInit),
                                  &TMainForm::SpeedButton5Click);
    SpeedButton7->setEnabled(false);
    SpeedButton1->setEnabled(false);
    SpeedButton5->setEnabled(false);
    // Each button says what it does and, where a menu item does the same, which one.
    OpenBtn->setToolTip("Data Source (Setup > Data Source)");
    SpeedButton2->setToolTip("Minimise or restore the Signal Level view (View > Signal Level)");
    SpeedButton3->setToolTip("Minimise or restore the sky plot, Tracking View (View > Map)");
    SpeedButton4->setToolTip("Minimise or restore the Map View (View > Tracking)");
    SpeedButton6->setToolTip("Start (Action > Start)");
    SpeedButton7->setToolTip("Stop (Action > Stop)");
    SpeedButton1->setToolTip("Log File Settings: log the received sentences to a file");
    SpeedButton5->setToolTip("Receiver Initialization: restart the receiver");
    // The panel sits under the menu bar, above the client area.
    auto* client = new QWidget;
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(SpeedPanel);
    column->addWidget(mdiArea);
    setCentralWidget(client);
}

void TMainForm::CreateMenus() {
    auto addItem = [this](QMenu* menu, const char* name, const char* caption,
                          void (TMainForm::*click)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, click);
        return action;
    };
    auto addSeparator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(name);
    };
    QMenuBar* MainMenu1 = menuBar();
    MainMenu1->setObjectName("MainMenu1");

    File1 = MainMenu1->addMenu("&Setup");
    File1->setObjectName("File1");
    FileOpenItem = addItem(File1, "FileOpenItem", "&Data &Source", &TMainForm::FileOpenItemClick);
    addSeparator(File1, "N1");
    AboutKelmstarDemo1 = addItem(File1, "AboutKelmstarDemo1", "&About Kelmstar Demo",
                                 &TMainForm::AboutKelmstarDemo1Click);
    addSeparator(File1, "N2");
    // The program's own items stand together above "Exit".
    ShareOnNetwork1 =
        addItem(File1, "ShareOnNetwork1", "Share on &Network...", &TMainForm::ShareOnNetwork1Click);
    SatelliteSystems1 = addItem(File1, "SatelliteSystems1", "Satellite &Systems...",
                                &TMainForm::SatelliteSystems1Click);
    addSeparator(File1, "N3");
    Exit1 = addItem(File1, "Exit1", "E&xit", &TMainForm::Exit1Click);

    View1 = MainMenu1->addMenu("&View");
    View1->setObjectName("View1");
    Parameter1 = addItem(View1, "Parameter1", "&Measured Message", &TMainForm::Parameter1Click);
    Level1 = addItem(View1, "Level1", "&Signal Level", &TMainForm::Level1Click);
    // "&Map" opens the window titled "Tracking View", "&Tracking" the "Map View".
    View2 = addItem(View1, "View2", "&Map", &TMainForm::View2Click);
    Tracking1 = addItem(View1, "Tracking1", "&Tracking", &TMainForm::Tracking1Click);
    Source1 = addItem(View1, "Source1", "&Data", &TMainForm::Source1Click);
    LineStatistics1 =
        addItem(View1, "LineStatistics1", "&Line Statistics", &TMainForm::LineStatistics1Click);
    Satellites1 = addItem(View1, "Satellites1", "Satell&ites", &TMainForm::Satellites1Click);
    SignalHistory1 =
        addItem(View1, "SignalHistory1", "Signal &History", &TMainForm::SignalHistory1Click);
    PositionStatistics1 = addItem(View1, "PositionStatistics1", "&Position Statistics",
                                  &TMainForm::PositionStatistics1Click);

    Operate1 = MainMenu1->addMenu("&Action");
    Operate1->setObjectName("Operate1");
    Start1 = addItem(Operate1, "Start1", "&Start", &TMainForm::Start1Click);
    Stop1 = addItem(Operate1, "Stop1", "S&top", &TMainForm::Stop1Click);
    SentenceSetup1 =
        addItem(Operate1, "SentenceSetup1", "Sentence Se&tup", &TMainForm::SentenceSetup1Click);

    Window1 = MainMenu1->addMenu("&Window");
    Window1->setObjectName("Window1");
    WindowCascadeItem =
        addItem(Window1, "WindowCascadeItem", "&Cascade", &TMainForm::WindowCascadeItemClick);
    WindowTileItem = addItem(Window1, "WindowTileItem", "&Tile", &TMainForm::WindowTileItemClick);
    WindowArrangeItem =
        addItem(Window1, "WindowArrangeItem", "&Arrange Icons", &TMainForm::WindowArrangeItemClick);
    WindowMinimizeItem = addItem(Window1, "WindowMinimizeItem", "&Minimize All",
                                 &TMainForm::WindowMinimizeItemClick);
    WindowTileGridItem =
        addItem(Window1, "WindowTileGridItem", "Tile &Grid", &TMainForm::WindowTileGridItemClick);
    connect(Window1, &QMenu::aboutToShow, this, &TMainForm::FillWindowList);
}

// The window list: one item per open child, after the four window commands.
void TMainForm::FillWindowList() {
    for (QAction* action : windowListActions_) {
        Window1->removeAction(action);
        delete action;
    }
    windowListActions_.clear();
    const QList<QMdiSubWindow*> children = mdiArea->subWindowList(QMdiArea::CreationOrder);
    if (children.isEmpty()) {
        return;
    }
    windowListActions_.append(Window1->addSeparator());
    int number = 1;
    for (QMdiSubWindow* child : children) {
        QAction* action =
            Window1->addAction(QString("&%1 %2").arg(number++).arg(child->windowTitle()));
        action->setCheckable(true);
        action->setChecked(child == mdiArea->activeSubWindow());
        QPointer<QMdiSubWindow> target = child;
        connect(action, &QAction::triggered, this, [this, target] {
            if (target) {
                mdiArea->setActiveSubWindow(target);
            }
        });
        windowListActions_.append(action);
    }
}

void TMainForm::UpdateMenuItems() {
    const bool anyChild = !mdiArea->subWindowList().isEmpty();
    for (QAction* item : {WindowCascadeItem, WindowTileItem, WindowArrangeItem, WindowMinimizeItem,
                          WindowTileGridItem}) {
        item->setEnabled(anyChild);
    }
}

void TMainForm::RunDialog(QDialog* dialog) {
    if (dialog != nullptr) {
        runModal(*dialog);
    }
}

void TMainForm::FileOpenItemClick() {
    RunDialog(windows_.Data);
}
void TMainForm::AboutKelmstarDemo1Click() {
    RunDialog(windows_.About);
}
void TMainForm::SpeedButton1Click() {
    RunDialog(windows_.LogFileSetting);
}
void TMainForm::SpeedButton5Click() {
    RunDialog(windows_.Start);
}
void TMainForm::SentenceSetup1Click() {
    RunDialog(windows_.sentencesetup);
}

void TMainForm::ShareOnNetwork1Click() {
    Share->RunDialog(runModal);
}

void TMainForm::TtffTest1Click() {
    if (TtffTest == nullptr) {
        TtffTest =
            new TtffDialog({[this] { return TtffRefusal(); }, [this] { return RestartSettings(); },
                            [this](std::string_view bytes) {
                                WriteData(bytes.data(), static_cast<std::uint16_t>(bytes.size()));
                                ResetReceiveBuffer();  // nothing from before the restart is decoded
                            },
                            HistoryViewDialogs()},
                           this);
    }
    runModal(*TtffTest);
}

// Why the receiver cannot be restarted for a time-to-first-fix test now, or nothing.
QString TMainForm::TtffRefusal() const {
    if (!SerialChosen()) {
        return "A played-back log cannot be restarted: choose the receiver's port in Setup > "
               "Data Source and press Start";
    }
    if (const char* refusal = CommandRefusal(Comm1.CommName())) {
        return QString(refusal) + ": choose a serial port or a tcp:// source";
    }
    if (!IntakeRunning() || !Comm1.IsOpen()) {
        return "Start the receiver first (Action > Start)";
    }
    return {};
}

// The values "Receiver Initialization" builds its command from: the position as its fields
// show it, the clock offset and channel count it stored.
InitSettings TMainForm::RestartSettings() const {
    InitSettings settings;
    if (const TStart* start = windows_.Start) {
        settings.lat = start->latedit->text().toStdString();
        settings.lon = start->lonedit->text().toStdString();
        settings.height = start->heightedit->text().toStdString();
        settings.clockoffset = start->ClockOffset();
        settings.channels = start->Channels();
    }
    return settings;
}

void TMainForm::SatelliteSystems1Click() {
    if (SystemsSetup == nullptr) {
        SystemsSetup =
            new SatelliteSystemsDialog(this);  // start-up makes the original's dialogs only
    }
    const bool all = systems_.Systems() == SatelliteSystems::All;
    SystemsSetup->Show(all);
    if (runModal(*SystemsSetup) != QDialog::Accepted) {
        return;
    }
    const bool chosen = SystemsSetup->AllSystemsChosen();
    SatelliteSystemsDialog::StoreAllSystems(chosen);
    if (chosen != all) {
        ApplySatelliteSystems(chosen);
    }
}

// Takes effect at once: the next sentence is decoded the new way.
void TMainForm::ApplySatelliteSystems(bool all) {
    systems_.SetSystems(all ? SatelliteSystems::All : SatelliteSystems::GpsOnly);
    log_.KeepEveryTalker(all);
    lineMonitor->SetEveryTalker(all);
    Playback->SetEveryTalker(all);
    history_.SetTalkers(all ? TalkerFilter::AnyTalker : TalkerFilter::GpsOnly);
    hiddenTalkers_.Reset();
    StatusBar1->clearMessage();
}

void TMainForm::SentenceFramed(const char* text) {
    lineMonitor->SentenceFramed(text);
    history_.Sentence(text);
    if (TtffTest != nullptr) {
        TtffTest->SentenceFramed(text);
    }
    // Once per Start, and again only when another talker comes.
    if (systems_.Systems() == SatelliteSystems::GpsOnly && hiddenTalkers_.Note(text)) {
        StatusBar1->showMessage(QString::fromStdString(hiddenTalkers_.Text()), kHiddenTalkersMs);
    }
}

void TMainForm::Exit1Click() {
    Comm1.ClosePort();
    CloseAllFiles();
    close();
}

void TMainForm::AddView(QMdiSubWindow* view) {
    // The area places new children itself; each view keeps its own design position.
    const QPoint designPosition = view->pos();
    RememberDesignSize(*view);
    mdiArea->addSubWindow(view);
    view->move(designPosition);
    view->show();
    UpdateMenuItems();
}

void TMainForm::CreateTrackingView() {
    auto* view = new TView(state_, nav_, [this] { RunDialog(windows_.viewsetting); });
    view->allSystemsSky = [this]() -> std::optional<std::vector<SatelliteSignal>> {
        if (systems_.Systems() != SatelliteSystems::All) {
            return std::nullopt;
        }
        return systems_.Gnss().Current().satellites;
    };
    windows_.View = view;
    state_.trackingViewOpen = 1;
    AddView(view);
}

void TMainForm::CreateMessageView() {
    auto* view = new TSource(state_);
    windows_.Source = view;
    state_.messageViewOpen = 1;
    AddView(view);
}

void TMainForm::CreateMapView() {
    auto* view = new TTracking(state_, nav_, track_, centre_);
    windows_.Tracking = view;
    state_.mapViewOpen = 1;
    AddView(view);
}

void TMainForm::CreateLevelView() {
    auto* view = new TLevel(state_);
    windows_.Level = view;
    state_.signalLevelViewOpen = 1;
    AddView(view);
}

void TMainForm::CreateMeasuredView() {
    auto* view = new TParameter(state_);
    windows_.Parameter = view;
    state_.measuredViewOpen = 1;
    AddView(view);
}

// Not one of the five views: no flag, and not created at start-up.
void TMainForm::CreateSatellitesView() {
    auto* view = new SatellitesView;
    satellitesView_ = view;
    view->Show(systems_.Gnss().Current());
    AddView(view);
}

// The history windows show what the recorder kept since the program started.
ViewDialogs TMainForm::HistoryViewDialogs() {
    return {[this](QDialog& dialog) { return runModal(dialog); },
            [this](QFileDialog& dialog) { return runFileDialog(dialog); }};
}

void TMainForm::CreateSignalHistoryView() {
    auto* view = new SignalHistoryView(history_.Signals(), HistoryViewDialogs());
    signalHistoryView_ = view;
    AddView(view);
}

void TMainForm::CreatePositionStatisticsView() {
    auto* view = new PositionStatisticsView(history_.Positions(), HistoryViewDialogs());
    positionStatisticsView_ = view;
    AddView(view);
}

void TMainForm::CreateLineStatisticsView() {
    auto* view = new LineStatisticsView;
    lineMonitor->SetWindow(view);
    AddView(view);
}

// An open view is restored and brought to the front; a closed one is created anew.
void TMainForm::OpenView(QMdiSubWindow* view, void (TMainForm::*create)()) {
    if (view == nullptr) {
        (this->*create)();
        return;
    }
    view->showNormal();
    view->show();
    mdiArea->setActiveSubWindow(view);
    view->raise();
}

// A toolbar button minimises its open view or restores a minimised one, then tiles.
void TMainForm::ToggleView(QMdiSubWindow* view, void (TMainForm::*create)()) {
    if (view == nullptr) {
        (this->*create)();
    } else {
        if (view->isMinimized()) {
            view->showNormal();
        } else {
            view->showMinimized();
        }
        view->show();
        mdiArea->setActiveSubWindow(view);
        view->raise();
    }
    Retile();
}

void TMainForm::Parameter1Click() {
    OpenView(windows_.Parameter, &TMainForm::CreateMeasuredView);
}
void TMainForm::Level1Click() {
    OpenView(windows_.Level, &TMainForm::CreateLevelView);
}
void TMainForm::View2Click() {
    OpenView(windows_.View, &TMainForm::CreateTrackingView);
}
void TMainForm::Tracking1Click() {
    OpenView(windows_.Tracking, &TMainForm::CreateMapView);
}
void TMainForm::Source1Click() {
    OpenView(windows_.Source, &TMainForm::CreateMessageView);
}
void TMainForm::Satellites1Click() {
    OpenView(satellitesView_, &TMainForm::CreateSatellitesView);
}
void TMainForm::SignalHistory1Click() {
    OpenView(signalHistoryView_, &TMainForm::CreateSignalHistoryView);
}
void TMainForm::PositionStatistics1Click() {
    OpenView(positionStatisticsView_, &TMainForm::CreatePositionStatisticsView);
}
void TMainForm::LineStatistics1Click() {
    OpenView(lineMonitor->Window(), &TMainForm::CreateLineStatisticsView);
}
void TMainForm::SpeedButton2Click() {
    ToggleView(windows_.Level, &TMainForm::CreateLevelView);
}
void TMainForm::SpeedButton3Click() {
    ToggleView(windows_.View, &TMainForm::CreateTrackingView);
}
void TMainForm::SpeedButton4Click() {
    ToggleView(windows_.Tracking, &TMainForm::CreateMapView);
}

void TMainForm::WindowCascadeItemClick() {
    CascadeViews(*mdiArea);
}
void TMainForm::WindowTileItemClick() {
    gridTiling_ = false;
    TileHorizontally(*mdiArea);
}
void TMainForm::WindowTileGridItemClick() {
    gridTiling_ = true;
    Retile();
}
// Tiles the way the user last chose: in a grid after "Tile Grid", otherwise horizontally.
void TMainForm::Retile() {
    if (!gridTiling_) {
        TileHorizontally(*mdiArea);
        return;
    }
    TileGrid(*mdiArea, [this](const QMdiSubWindow* child) {
        return child == windows_.View || child == windows_.Tracking;
    });
}
void TMainForm::WindowArrangeItemClick() {
    ArrangeIcons(*mdiArea);
}
void TMainForm::WindowMinimizeItemClick() {
    MinimizeAll(*mdiArea);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    DesktopLayout::Save(*this, *mdiArea, LayoutViews());
    QMainWindow::closeEvent(event);
}

QList<LayoutView> TMainForm::LayoutViews() {
    return {
        {"View", [this] { return windows_.View.data(); }, [this] { CreateTrackingView(); }},
        {"Source", [this] { return windows_.Source.data(); }, [this] { CreateMessageView(); }},
        {"Tracking", [this] { return windows_.Tracking.data(); }, [this] { CreateMapView(); }},
        {"Level", [this] { return windows_.Level.data(); }, [this] { CreateLevelView(); }},
        {"Parameter", [this] { return windows_.Parameter.data(); },
         [this] { CreateMeasuredView(); }},
        {"LineStatistics", [this] { return lineMonitor->Window(); },
         [this] { CreateLineStatisticsView(); }},
        {"Satellites", [this] { return satellitesView_.data(); },
         [this] { CreateSatellitesView(); }},
        {"SignalHistory", [this] { return signalHistoryView_.data(); },
         [this] { CreateSignalHistoryView(); }},
        {"PositionStatistics", [this] { return positionStatisticsView_.data(); },
         [this] { CreatePositionStatisticsView(); }},
    };
}

void TMainForm::ShowDesktop() {
    if (DesktopLayout::Restore(*this, *mdiArea, LayoutViews())) {
        show();
        return;
    }
    ArrangeFirstStart();
}

void TMainForm::ArrangeFirstStart() {
    // The map with the Message View below it; beside them the sky plot, the Measured view and
    // the Signal Level view one above another.
    const QList<QList<QMdiSubWindow*>> columns = {
        {windows_.Tracking, windows_.Source},
        {windows_.View, windows_.Parameter, windows_.Level},
    };
    QList<QList<QSize>> sizes;
    for (const QList<QMdiSubWindow*>& column : columns) {
        QList<QSize>& columnSizes = sizes.emplace_back();
        for (const QMdiSubWindow* view : column) {
            columnSizes.append(view ? view->size() : QSize(0, 0));
        }
    }
    const QList<QList<QRect>> places = DesktopLayout::Columns(sizes);
    for (int c = 0; c < columns.size(); ++c) {
        for (int v = 0; v < columns[c].size(); ++v) {
            if (QMdiSubWindow* view = columns[c][v]) {
                view->setGeometry(places[c][v]);
            }
        }
    }
    // The menu bar, the toolbar panel, the status bar and the area's frame around the views.
    ensurePolished();
    layout()->activate();
    centralWidget()->layout()->activate();
    const QSize chrome = size() - mdiArea->contentsRect().size();
    const QSize wanted = DesktopLayout::Extent(places) + chrome;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(), wanted);
    if (available.width() >= wanted.width() + kWindowFrame.width() &&
        available.height() >= wanted.height() + kWindowFrame.height()) {
        resize(wanted);
        CentreOnScreen(*this);
        show();
        return;
    }
    // A smaller screen: all of it, with the views stacked to fit once they are shown.
    showMaximized();
    QTimer::singleShot(0, this, &TMainForm::Retile);
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Retile();
}

void TMainForm::Start1Click() {
    Comm1.ClosePort();
    const std::string name = Comm1.CommName();
    if (SerialChosen() && Connector->Begin(name, [this, name] { StartConnected(name); })) {
        // A network source: intake starts once the connection is made, and Stop gives up.
        SpeedButton6->setEnabled(false);
        SpeedButton7->setEnabled(true);
        lineMonitor->Connecting();
        return;
    }
    Connector->Cancel();  // a connect under way is for a source no longer chosen
    StartIntake();
}

void TMainForm::StartConnected(const std::string& name) {
    if (!SerialChosen() || Comm1.CommName() != name) {
        ConnectingEnded();  // another source was chosen meanwhile; Start opens that one
        return;
    }
    try {
        StartIntake();
    } catch (const ECommsError&) {
        // A source that cannot be reached leaves the program idle, as a serial port does.
        ConnectingEnded();
        throw;
    }
}

void TMainForm::ConnectingEnded() {
    SpeedButton6->setEnabled(true);
    SpeedButton7->setEnabled(IntakeRunning());
    lineMonitor->Stopped();
}

// For the device factory: a network source connected off the window's thread.
std::optional<SocketOpenResult> TMainForm::TakeConnected(const std::string& name) {
    return Connector ? Connector->Take(name) : std::nullopt;
}

void TMainForm::StartIntake() {
    const bool serial = SerialChosen();
    if (serial) {
        SpeedButton1->setEnabled(true);
        Comm1.OpenPort();  // a failure leaves the program idle
        NoteRefusedBaudRate();
    }
    buffer_.Reset();
    systems_.Reset();  // the satellites of an earlier source leave with it
    history_.SourceStarted();
    hiddenTalkers_.Reset();
    Share->Restart();
    SpeedButton5->setEnabled(true);
    SpeedButton6->setEnabled(false);
    SpeedButton7->setEnabled(true);
    Timer1->start();
    Timer2->start();
    Playback->Started();
    if (serial) {
        lineMonitor->StartedSerial();
    } else if (PlaybackFileLeft()) {
        lineMonitor->StartedPlayback(windows_.Data->logfilenamelabel->text());
    } else {
        lineMonitor->StartedWithoutPlaybackFile(windows_.Data->logfilenamelabel->text());
    }
}

// A file chosen and confirmed since the last Stop that has lines left to play.
bool TMainForm::PlaybackFileLeft() const {
    return state_.playbackActive == 1 && state_.dataFile != nullptr && !Playback->Finished();
}

PlaybackHold TMainForm::HeldPlayback() const {
    PlaybackHold hold;
    hold.paused = Playback->Paused();
    // At four lines a second the refresh tick feeds only while the Measured view is open.
    hold.viewClosed =
        state_.measuredViewOpen != 1 && Playback->CurrentSpeed() == PlaybackControl::Speed::Lines4;
    hold.utc = Playback->CurrentUtc();
    return hold;
}

// A driver keeps its old speed for a rate it cannot make; say so rather than run silently.
void TMainForm::NoteRefusedBaudRate() {
    const std::optional<std::int32_t> applied = Comm1.AppliedBaudRate();
    if (applied && *applied != Comm1.BaudRate()) {
        StatusBar1->showMessage(QString("The port cannot run at %1 baud; it runs at %2 baud")
                                    .arg(Comm1.BaudRate())
                                    .arg(*applied));
    }
}

bool TMainForm::IntakeRunning() const {
    return Timer1->isActive();
}

bool TMainForm::SerialChosen() const {
    return windows_.Data == nullptr || !windows_.Data->file->isChecked();
}

void TMainForm::Stop1Click() {
    Connector->Cancel();
    SpeedButton1->setEnabled(false);
    SpeedButton5->setEnabled(false);
    SpeedButton6->setEnabled(true);
    SpeedButton7->setEnabled(false);
    Comm1.ClosePort();
    Timer1->stop();
    Timer2->stop();
    lineMonitor->Stopped();
    state_.playbackActive = 0;
    state_.logFileOpen = 0;
    CloseAllFiles();
    Playback->Stopped();
}

void TMainForm::Comm1ReceiveData(TComm&, const char* buffer, std::uint16_t length) {
    MakeRoomFor(length);
    const std::int32_t before = buffer_.Count();
    for (std::uint16_t i = 0; i < length; ++i) {
        buffer_.Put(static_cast<std::uint8_t>(buffer[i]));
    }
    // Nothing is taken meanwhile, so what the count did not grow by was dropped.
    lineMonitor->Received(buffer, length, length - std::size_t(buffer_.Count() - before));
    Share->Feed(buffer, length);
}

void TMainForm::OpenSentenceLog() {
    if (state_.loggingEnabled != 1 || state_.logFileOpen != 0) {
        return;
    }
    QString reason;
    if (log_.Open(state_.logFileName)) {
        if (!log_.IsSameFileAs(state_.dataFile)) {
            state_.logFileOpen = 1;
            return;
        }
        // The file being played back: appending to it would feed the playback its own
        // records without end. Closed again before anything was written.
        log_.Close();
        reason = RefusePlaybackFileAsLog(state_);
    } else {
        reason = LogOpenFailureReason(errno);
    }
    // Logging stays off; the message waits until the tick has finished.
    state_.loggingEnabled = 0;
    QMetaObject::invokeMethod(
        this, [this, reason] { ShowFileError("File Open Error!!!", reason); },
        Qt::QueuedConnection);
}

void TMainForm::ClearDisabledRows() {
    if (state_.messageViewOpen != 1 || !windows_.Source || !windows_.sentencesetup) {
        return;
    }
    struct Filter {
        SentenceType type;
        std::initializer_list<int> rows;
    };
    static const Filter kFilters[] = {
        {SentenceType::Gga, {4}},       {SentenceType::Gll, {8}}, {SentenceType::Gsa, {5}},
        {SentenceType::Gsv, {1, 2, 3}}, {SentenceType::Rmc, {6}}, {SentenceType::Vtg, {7}},
    };
    for (const Filter& filter : kFilters) {
        if (!windows_.sentencesetup->IsSelected(filter.type)) {
            windows_.Source->ClearRows(filter.rows);
        }
    }
}

// A fast line (every satellite system at ten epochs a second) can bring more between two
// decode ticks than the ring holds: what is buffered is decoded first, as the next tick
// would, instead of dropping what does not fit.
void TMainForm::MakeRoomFor(std::size_t length) {
    while (Timer1->isActive() &&
           static_cast<std::size_t>(buffer_.Count()) + length > ReceiveBuffer::kCapacity) {
        if (DecodeBuffered() == 0) {
            return;  // no whole sentence in it: the bytes beyond its room are dropped
        }
    }
}

void TMainForm::Timer1Timer() {
    DecodeBuffered();
}

int TMainForm::DecodeBuffered() {
    OpenSentenceLog();
    const int decoded = tick_.Run(feed_);
    if (feed_.TakeLogWritten()) {
        log_.Flush();
    }
    if (decoded > 0) {
        ClearDisabledRows();
    }
    return decoded;
}

void TMainForm::Timer2Timer() {
    if (state_.trackingViewOpen == 1 && windows_.View) {
        windows_.View->DrawSkyPlot();
    }
    if (satellitesView_) {
        satellitesView_->Show(systems_.Gnss().Current());
    }
    // The history views draw half a second apart, so that their work never adds up in one
    // turn of the event loop.
    if (signalHistoryView_) {
        signalHistoryView_->Refresh();
    }
    if (positionStatisticsView_) {
        QTimer::singleShot(kRefreshInterval / 2, positionStatisticsView_.data(),
                           &PositionStatisticsView::Refresh);
    }
    // A playback at another speed, or paused, feeds and plots by itself.
    const bool steered = Playback->Steers();
    if (!steered && state_.mapViewOpen == 1 && windows_.Tracking) {
        windows_.Tracking->PlotFix();
    }
    if (!steered && state_.measuredViewOpen == 1 && state_.playbackActive == 1) {
        const int lines = FeedPlaybackLines(
            state_.dataFile, buffer_, [this](std::string_view line) { PlaybackLineFed(line); });
        if (lines < kPlaybackLinesPerCall) {
            lineMonitor->PlaybackFinished();  // the end of the file
        }
    }
}

// At the timed speeds every line fed is decoded by the end: the last second is whole and goes
// into the history too. (At four lines a second the last lines wait in the ring.)
void TMainForm::PlaybackEnded() {
    if (Playback->CurrentSpeed() != PlaybackControl::Speed::Lines4) {
        systems_.Finish();
    }
    lineMonitor->PlaybackFinished();
}

// Counted for the status bar and shared like a line that came from the port.
void TMainForm::PlaybackLineFed(std::string_view line) {
    if (lineMonitor->Phase() == LinePhase::NoPlaybackFile) {
        // A file chosen while started: the status bar names it from now on.
        lineMonitor->StartedPlayback(windows_.Data->logfilenamelabel->text());
    }
    lineMonitor->PlaybackFed(line);
    Share->FeedLine(line);
}

// The decode tick for what the timed playback fed: every whole sentence, however few
// bytes are buffered, so the views show the latest line fed.
int TMainForm::DecodePlayback() {
    OpenSentenceLog();
    int decoded = 0;
    while (buffer_.Count() >= DecodeTick::kFrameThreshold) {
        decoded += tick_.Run(feed_);
    }
    decoded += tick_.Drain(feed_);
    if (feed_.TakeLogWritten()) {
        log_.Flush();
    }
    if (decoded > 0) {
        ClearDisabledRows();
    }
    return decoded;
}

bool TMainForm::WriteData(const void* data, std::uint16_t count) {
    if (const char* refusal = CommandRefusal(Comm1.CommName()); refusal && Comm1.IsOpen()) {
        StatusBar1->showMessage(refusal, 10000);
    }
    return Comm1.WriteData(data, count);
}

void TMainForm::ResetReceiveBuffer() {
    buffer_.Reset();
}

void TMainForm::ResetViews() {
    if (state_.messageViewOpen == 1 && windows_.Source) {
        windows_.Source->ClearRows({1, 2, 3, 4, 5, 6, 7});
    }
    if (state_.signalLevelViewOpen == 1 && windows_.Level) {
        windows_.Level->ClearRows();
    }
    if (state_.measuredViewOpen == 1 && windows_.Parameter) {
        windows_.Parameter->ResetValues();
    }
}

void TMainForm::ResetMap() {
    if (state_.mapViewOpen == 1 && windows_.Tracking) {
        windows_.Tracking->PaintWhite();
    }
    TTracking::ResetTrack(state_);
}

void TMainForm::CloseAllFiles() {
    if (state_.dataFile != nullptr) {
        std::fclose(state_.dataFile);
        state_.dataFile = nullptr;
    }
    log_.Close();
    if (Playback != nullptr) {
        Playback->FileClosed();
    }
}

void TMainForm::ShowFileError(const QString& message) {
    ShowFileError(message, QString());
}

void TMainForm::ShowFileError(const QString& message, const QString& reason) {
    if (windows_.ErrorDialog) {
        windows_.ErrorDialog->Label1->setText(message);
        windows_.ErrorDialog->SetReason(reason);
        runModal(*windows_.ErrorDialog);
    }
}

QString TMainForm::RunFileDialog(QFileDialog& dialog) {
    return runFileDialog(dialog);
}
