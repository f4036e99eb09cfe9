#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>

#include "AppState.h"
#include "DataSourceLink.h"
#include "DecodeTick.h"
#include "DesktopLayout.h"
#include "HiddenTalkers.h"
#include "HistoryRecorder.h"
#include "InitSettings.h"
#include "NavState.h"
#include "ProgramWindows.h"
#include "ReceiveBuffer.h"
#include "ReceiverLink.h"
#include "SentenceLog.h"
#include "SocketOpen.h"
#include "SystemsIntake.h"
#include "TComm.h"
#include "ViewDialogs.h"
#include "ViewFeed.h"

class LineMonitor;
struct PlaybackHold;
class MainStatusBar;
class ShareOnNetwork;
class SourceConnector;
class MapCentre;
class PlaybackControl;
class SatelliteSystemsDialog;
class SatellitesView;
class TtffDialog;
class SignalHistoryView;
class PositionStatisticsView;
class QAction;
class QDialog;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolButton;
class TrackHistory;

// The records the main window works on; they live for the whole run.
struct ProgramRecords {
    AppState& state;
    NavState& nav;
    ReceiveBuffer& buffer;
    TrackHistory& track;
    MapCentre& centre;
};

// "Kelmstar Demo NMEA Version": the multiple-document frame with the menus, the
// toolbar, the decode and refresh timers and the serial port.
class TMainForm : public QMainWindow, public ReceiverLink, public DataSourceLink {
    Q_OBJECT

public:
    static constexpr int kDecodeInterval = 130;    // ms
    static constexpr int kRefreshInterval = 1000;  // ms
    static constexpr int kReadTotalLimit = 100;    // ms: longest a serial read holds bytes

    TMainForm(ProgramRecords records, ProgramWindows& windows,
              std::unique_ptr<DeviceFactory> devices = nullptr);
    ~TMainForm() override;

    // How modal dialogs are run; exec() unless replaced (tests answer them instead).
    std::function<int(QDialog&)> runModal;
    // How the file-open dialogs are run; returns the chosen file or an empty text.
    std::function<QString(QFileDialog&)> runFileDialog;

    // The five views, created anew when they do not exist.
    void CreateTrackingView();  // TView, "Tracking View"
    void CreateMessageView();   // TSource
    void CreateMapView();       // TTracking, "Map View"
    void CreateLevelView();     // TLevel
    void CreateMeasuredView();  // TParameter

    // Shows the main window with the views where the user left them, or on the first start
    // side by side at their own sizes in a window large enough for all of them.
    void ShowDesktop();

    void FileOpenItemClick();
    void AboutKelmstarDemo1Click();
    void Exit1Click();
    void Parameter1Click();
    void Level1Click();
    void View2Click();
    void Tracking1Click();
    void Source1Click();
    void LineStatistics1Click();
    void CreateLineStatisticsView();
    void Satellites1Click();  // "Satell&ites", every system's satellites as a table
    void CreateSatellitesView();
    void SignalHistory1Click();  // "Signal &History": C/N0, satellites and DOPs over time
    void CreateSignalHistoryView();
    void PositionStatistics1Click();  // "&Position Statistics": the spread of the fixes
    void CreatePositionStatisticsView();
    void SatelliteSystems1Click();  // "Satellite &Systems...": GPS only or every system
    void TtffTest1Click();          // "Time to First &Fix Test..."
    // Decodes every satellite system, or the GPS talker alone, from the next sentence on.
    void ApplySatelliteSystems(bool all);

    // The signal history and the position statistics of what was decoded, for their views.
    HistoryRecorder& History() { return history_; }
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void Start1Click();
    void Stop1Click();
    void SpeedButton1Click();
    void SpeedButton5Click();
    void SentenceSetup1Click();
    void ShareOnNetwork1Click();
    void WindowCascadeItemClick();
    void WindowTileItemClick();
    void WindowArrangeItemClick();
    void WindowMinimizeItemClick();
    void WindowTileGridItemClick();  // "Tile &Grid"; kept on resizes until "&Tile"
    void UpdateMenuItems();
    void Timer1Timer();
    void Timer2Timer();
    void Comm1ReceiveData(TComm& sender, const char* buffer, std::uint16_t length);

    // ReceiverLink
    bool WriteData(const void* data, std::uint16_t count) override;
    void ResetReceiveBuffer() override;
    void ResetViews() override;
    void ResetMap() override;

    // DataSourceLink
    void CloseAllFiles() override;
    void ShowFileError(const QString& message) override;
    QString RunFileDialog(QFileDialog& dialog) override;
    bool IntakeRunning() const override;

    TComm Comm1;
    QMdiArea* mdiArea = nullptr;
    QWidget* SpeedPanel = nullptr;
    QToolButton* OpenBtn = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* SpeedButton5 = nullptr;
    QToolButton* SpeedButton6 = nullptr;
    QToolButton* SpeedButton7 = nullptr;
    QMenu* File1 = nullptr;
    QMenu* View1 = nullptr;
    QMenu* Operate1 = nullptr;
    QMenu* Window1 = nullptr;
    QAction* FileOpenItem = nullptr;
    QAction* AboutKelmstarDemo1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* ShareOnNetwork1 = nullptr;
    QAction* SatelliteSystems1 = nullptr;
    QAction* Satellites1 = nullptr;
    QAction* TtffTest1 = nullptr;
    QAction* SignalHistory1 = nullptr;
    QAction* PositionStatistics1 = nullptr;
    QAction* Parameter1 = nullptr;
    QAction* Level1 = nullptr;
    QAction* View2 = nullptr;
    QAction* Tracking1 = nullptr;
    QAction* Source1 = nullptr;
    QAction* LineStatistics1 = nullptr;
    QAction* Start1 = nullptr;
    QAction* Stop1 = nullptr;
    QAction* SentenceSetup1 = nullptr;
    QAction* WindowCascadeItem = nullptr;
    QAction* WindowTileItem = nullptr;
    QAction* WindowArrangeItem = nullptr;
    QAction* WindowMinimizeItem = nullptr;
    QAction* WindowTileGridItem = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    // Along the bottom, below the views: what the data source is doing.
    MainStatusBar* StatusBar1 = nullptr;
    // The playback's speed, pause and progress, beside the toolbar buttons.
    PlaybackControl* Playback = nullptr;
    // Fills the status bar, counts the line, brings a port that hung up back.
    LineMonitor* lineMonitor = nullptr;
    // "Satellite Systems": the GPS talker alone or every satellite system; made when first
    // shown.
    SatelliteSystemsDialog* SystemsSetup = nullptr;
    // "Time to First Fix": restarts the receiver and times its fixes; made when first shown.
    TtffDialog* TtffTest = nullptr;
    // Serves the received sentences to other programs.
    ShareOnNetwork* Share = nullptr;
    // Connects network sources off the window's thread, for Start and for reconnecting.
    SourceConnector* Connector = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QList<LayoutView> LayoutViews();
    ViewDialogs HistoryViewDialogs();
    void ArrangeFirstStart();
    void SentenceFramed(const char* text);
    QString TtffRefusal() const;
    InitSettings RestartSettings() const;
    void StartIntake();
    bool PlaybackFileLeft() const;
    PlaybackHold HeldPlayback() const;
    void StartConnected(const std::string& name);
    void ConnectingEnded();
    std::optional<SocketOpenResult> TakeConnected(const std::string& name);
    void NoteRefusedBaudRate();
    void FormCreate();
    bool SerialChosen() const;
    void FormDestroy();
    void CreateMenus();
    void CreateToolbar();
    QToolButton* AddSpeedButton(const char* name, int left, int glyph, void (TMainForm::*click)());
    void FillWindowList();
    void OpenSentenceLog();
    void ShowFileError(const QString& message, const QString& reason);
    void ClearDisabledRows();
    void RunDialog(QDialog* dialog);
    void OpenView(QMdiSubWindow* view, void (TMainForm::*create)());
    void ToggleView(QMdiSubWindow* view, void (TMainForm::*create)());
    void AddView(QMdiSubWindow* view);
    void Retile();
    int DecodePlayback();
    int DecodeBuffered();
    void MakeRoomFor(std::size_t length);
    void PlaybackLineFed(std::string_view line);
    void PlaybackEnded();

    AppState& state_;
    NavState& nav_;
    ReceiveBuffer& buffer_;
    TrackHistory& track_;
    MapCentre& centre_;
    ProgramWindows& windows_;
    SentenceLog log_;
    ViewFeed feed_;
    DecodeTick tick_;
    SystemsIntake systems_;
    HiddenTalkers hiddenTalkers_;
    HistoryRecorder history_;
    QPointer<SatellitesView> satellitesView_;
    QPointer<SignalHistoryView> signalHistoryView_;
    QPointer<PositionStatisticsView> positionStatisticsView_;
    QList<QAction*> windowListActions_;
    QMetaObject::Connection activationWatch_;
    bool gridTiling_ = false;
};
