#include "ShareOnNetwork.h"

#include <QLabel>

#include "MainStatusBar.h"
#include "TShareSetup.h"

ShareOnNetwork::ShareOnNetwork(MainStatusBar& statusBar, QWidget* window)
    : QObject(window), statusBar_(statusBar), window_(window) {
    field = new QLabel;
    field->setObjectName("shareField");
    statusBar_.AddField(field);
    connect(&server_, &ShareServer::ClientCountChanged, this, &ShareOnNetwork::ShowClients);
    Apply(ShareSettings::Load());
}

ShareOnNetwork::~ShareOnNetwork() {
    // The status bar may be gone already: the clients are dropped without telling it.
    disconnect(&server_, nullptr, this, nullptr);
}

void ShareOnNetwork::Feed(const char* data, std::size_t count) {
    if (!server_.IsListening()) {
        return;
    }
    sentences_.Feed(data, count, [this](std::string_view sentence) { server_.Publish(sentence); });
}

void ShareOnNetwork::FeedLine(std::string_view line) {
    // Sentences only ("$GPRMC...", "!AIVDM..."): noise between them is nobody's business.
    if (server_.IsListening() && !line.empty() && (line.front() == '$' || line.front() == '!')) {
        server_.Publish(line);
    }
}

void ShareOnNetwork::RunDialog(const std::function<int(QDialog&)>& runModal) {
    // Made when first asked for, so that start-up still creates the program's windows only.
    if (dialog == nullptr) {
        dialog = new TShareSetup(window_);
    }
    dialog->Show(settings_);
    if (runModal(*dialog) != QDialog::Accepted) {
        return;
    }
    const ShareSettings chosen = dialog->Chosen();
    chosen.Save();
    // Restarting a running server would drop every client for nothing; one that failed to
    // start is tried again.
    if (chosen != settings_ || (chosen.enabled && !server_.IsListening())) {
        Apply(chosen);
    }
}

void ShareOnNetwork::Apply(const ShareSettings& settings) {
    settings_ = settings;
    server_.Close();
    sentences_.Reset();
    if (settings.enabled) {
        QString error;
        const auto reach = settings.allNetworks ? ShareServer::Reach::AllNetworks
                                                : ShareServer::Reach::ThisComputer;
        if (!server_.Listen(settings.port, reach, error)) {
            statusBar_.showMessage(
                QString("Cannot share on TCP port %1: %2").arg(settings.port).arg(error));
        }
    }
    ShowClients();
}

void ShareOnNetwork::ShowClients() {
    field->setVisible(server_.IsListening());
    const int n = server_.ClientCount();
    field->setText(
        QString("Sharing on %1: %2 client%3").arg(server_.Port()).arg(n).arg(n == 1 ? "" : "s"));
}
