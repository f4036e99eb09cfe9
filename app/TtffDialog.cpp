#include "TtffDialog.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <stdexcept>

#include "ExportFile.h"

namespace {

constexpr int kTickMs = 100;
constexpr double kMaxLimitSeconds = 3600.0;
constexpr double kMaxPauseSeconds = 600.0;

QString Seconds(const std::optional<double>& seconds) {
    return seconds ? QString::number(*seconds, 'f', 1) : QString("-");
}

QString ModeName(RestartMode mode) {
    QString name = RestartModeName(mode);
    name[0] = name[0].toUpper();
    return name;
}

}  // namespace

TtffDialog::TtffDialog(Link link, QWidget* parent) : QDialog(parent), link_(std::move(link)) {
    setObjectName("TtffTest");
    setWindowTitle("Time to First Fix");
    mode = new QComboBox;
    mode->setObjectName("mode");
    for (const RestartMode m : {RestartMode::Hot, RestartMode::Warm, RestartMode::Cold}) {
        mode->addItem(ModeName(m), static_cast<int>(m));
    }
    mode->setCurrentIndex(1);
    runs = new QSpinBox;
    runs->setObjectName("runs");
    runs->setRange(1, TtffPlan::kMaxRuns);
    runs->setValue(3);
    limit = new QDoubleSpinBox;
    limit->setObjectName("limit");
    limit->setRange(1.0, kMaxLimitSeconds);
    limit->setDecimals(0);
    limit->setSuffix(" s");
    limit->setValue(TtffPlan::kDefaultLimitSeconds);
    pause = new QDoubleSpinBox;
    pause->setObjectName("pause");
    pause->setRange(0.0, kMaxPauseSeconds);
    pause->setDecimals(0);
    pause->setSuffix(" s");
    pause->setValue(TtffPlan::kDefaultPauseSeconds);
    auto* form = new QFormLayout;
    form->addRow("Restart:", mode);
    form->addRow("Runs:", runs);
    form->addRow("Time limit per run:", limit);
    form->addRow("Pause between runs:", pause);

    startButton = new QPushButton("Start");
    startButton->setObjectName("startButton");
    stopButton = new QPushButton("Stop");
    stopButton->setObjectName("stopButton");
    stopButton->setEnabled(false);
    exportButton = new QPushButton("Export CSV...");
    exportButton->setObjectName("exportButton");
    exportButton->setEnabled(false);
    auto* close = new QPushButton("Close");
    connect(startButton, &QPushButton::clicked, this, &TtffDialog::StartClick);
    connect(stopButton, &QPushButton::clicked, this, &TtffDialog::StopClick);
    connect(exportButton, &QPushButton::clicked, this, &TtffDialog::ExportClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {startButton, stopButton, exportButton}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    buttons->addWidget(close);

    progress = new QLabel;
    progress->setObjectName("progress");
    progress->setWordWrap(true);
    table = new QTableWidget(0, 5);
    table->setObjectName("table");
    table->setHorizontalHeaderLabels({"Run", "Mode", "Seconds", "Used", "HDOP"});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    summary = new QLabel;
    summary->setObjectName("summary");

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addLayout(buttons);
    column->addWidget(progress);
    column->addWidget(table);
    column->addWidget(summary);
    resize(460, 420);

    ticker_ = new QTimer(this);
    ticker_->setInterval(kTickMs);
    connect(ticker_, &QTimer::timeout, this, &TtffDialog::Tick);
    clock_.start();
}

// Leaving ends a test still running; its run in progress is not counted.
TtffDialog::~TtffDialog() {
    if (session_) {
        session_->Cancel();
    }
}

double TtffDialog::Now() const {
    return static_cast<double>(clock_.nsecsElapsed()) / 1e9;
}

bool TtffDialog::Running() const {
    return session_ && session_->CurrentPhase() != TtffSession::Phase::Finished;
}

void TtffDialog::StartClick() {
    if (Running()) {
        return;
    }
    const QString refusal = link_.refusal ? link_.refusal() : QString();
    if (!refusal.isEmpty()) {
        progress->setText(refusal);
        return;
    }
    TtffPlan plan;
    plan.mode = static_cast<RestartMode>(mode->currentData().toInt());
    plan.runs = runs->value();
    plan.limitSeconds = limit->value();
    plan.pauseSeconds = pause->value();
    session_ = std::make_unique<TtffSession>(plan, link_.settings(), link_.send);
    session_->SetRunFinished([this](const TtffRun& run) {
        AddRow(run);
        ShowSummary();
    });
    table->setRowCount(0);
    summary->clear();
    if (!session_->Start(Now())) {
        progress->setText(QString::fromStdString(session_->Error()));
        session_.reset();
        return;
    }
    for (QWidget* input : std::initializer_list<QWidget*>{mode, runs, limit, pause, startButton}) {
        input->setEnabled(false);
    }
    stopButton->setEnabled(true);
    exportButton->setEnabled(false);
    ticker_->start();
    ShowProgress();
}

void TtffDialog::StopClick() {
    if (Running()) {
        session_->Cancel();
        Finished();
        progress->setText("Stopped");
    }
}

void TtffDialog::SentenceFramed(const char* text) {
    if (Running()) {
        session_->OnSentence(Now(), text);
        if (!Running()) {
            Finished();
        }
    }
}

void TtffDialog::Tick() {
    if (!session_) {
        return;
    }
    session_->Tick(Now());
    if (Running()) {
        ShowProgress();
    } else {
        Finished();
    }
}

void TtffDialog::ShowProgress() {
    const TtffPlan& plan = session_->Plan();
    const int run = session_->RunNumber();
    const QString mode = RestartModeName(plan.mode);
    if (session_->CurrentPhase() == TtffSession::Phase::Pausing) {
        progress->setText(QString("Run %1 of %2 done; the next restart follows the pause")
                              .arg(run)
                              .arg(plan.runs));
        return;
    }
    progress->setText(QString("Run %1 of %2: %3 restart sent %4 s ago, waiting for a fix")
                          .arg(run)
                          .arg(plan.runs)
                          .arg(mode)
                          .arg(static_cast<int>(Now() - session_->RunStartedAt())));
}

void TtffDialog::AddRow(const TtffRun& run) {
    const int row = table->rowCount();
    table->insertRow(row);
    const QString texts[] = {
        QString::number(run.number),
        ModeName(run.mode),
        run.seconds ? Seconds(run.seconds)
                    : QString("no fix in %1 s").arg(session_->Plan().limitSeconds),
        run.used ? QString::number(*run.used) : QString("-"),
        run.hdop ? QString::number(*run.hdop, 'f', 1) : QString("-"),
    };
    for (int column = 0; column < 5; ++column) {
        table->setItem(row, column, new QTableWidgetItem(texts[column]));
    }
}

void TtffDialog::ShowSummary() {
    const TtffSummary s = session_->Summary();
    if (s.fixed == 0) {
        summary->setText(QString("No fix in %1 of %1 runs").arg(s.runs));
        return;
    }
    summary->setText(
        QString("min %1 s, median %2 s, mean %3 s, max %4 s (%5 of %6 runs with a fix)")
            .arg(Seconds(s.min), Seconds(s.median), Seconds(s.mean), Seconds(s.max))
            .arg(s.fixed)
            .arg(s.runs));
}

void TtffDialog::Finished() {
    ticker_->stop();
    for (QWidget* input : std::initializer_list<QWidget*>{mode, runs, limit, pause, startButton}) {
        input->setEnabled(true);
    }
    stopButton->setEnabled(false);
    exportButton->setEnabled(session_ && !session_->Runs().empty());
    if (session_ && session_->Runs().size() == static_cast<std::size_t>(session_->Plan().runs)) {
        progress->setText(QString("Finished: %1 runs").arg(session_->Plan().runs));
    }
}

void TtffDialog::ExportClick() {
    if (!session_) {
        return;
    }
    const QString path = AskSavePath(link_.dialogs, this, "Export CSV", "ttff.csv", "CSV (*.csv)");
    if (path.isEmpty()) {
        return;
    }
    try {
        WriteTextFile(path,
                      [this](std::FILE* file) { return WriteTtffCsv(session_->Runs(), file); });
        progress->setText("Written to " + path);
    } catch (const std::runtime_error& error) {
        progress->setText(QString::fromStdString(error.what()));  // names the file and why
    }
}
