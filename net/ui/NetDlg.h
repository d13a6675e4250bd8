#pragma once

#include "forms/QvDialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class NetDlg;
}

namespace qv::net {
class TPing;
class TICMP;
class TWSocket;
} // namespace qv::net

// The network connection check: the network neighbourhood, a connection check that looks a host up and
// sends it one echo request, and name / address lookups. Stopping or closing during an analysis takes
// effect at once, whatever the servers do.
class TNetDlg : public qv::look::QvDialog {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 905;
    static inline const QString kDefaultHost = QStringLiteral("www.example.com");
    static inline const QString kExampleAddress = QStringLiteral("192.0.2.1");

    // Throws when the echo component cannot be created (no echo mechanism on this machine).
    explicit TNetDlg(QWidget* parent = nullptr);
    ~TNetDlg() override;

    const Ui::NetDlg& form() const { return *m_ui; }
    qv::net::TPing& ping() const { return *Ping1; }
    qv::net::TWSocket& socket() const { return *WSocket1; }

    void done(int result) override;

public slots:
    void FormActivate() override;
    void AnalyseReseau();
    void Button_StopClick();
    void VSNetTreeView1Change();
    void VSNetTreeView1Done();
    void PingButtonClick();
    void LookupButtonClick();
    void ReverseLookupButtonClick();
    void LocalIPButtonClick();
    void CancelButtonLookupClick();
    void OKBtnClick();
    void ButtonTestClick();

public:
    void Ping1DnsLookupDone(std::uint16_t error);
    void Ping1EchoRequest(qv::net::TICMP* icmp);
    void Ping1EchoReply(qv::net::TICMP* icmp, int replies);
    void WSocket1DnsLookupDone(std::uint16_t error);

private:
    void connectButtons();
    void addLines(const QStringList& lines);
    void startLookup(const QString& status);
    void restoreCursor();
    // Tells that the analysis is stopping, until its end.
    void showStopping();

    std::unique_ptr<Ui::NetDlg> m_ui;
    qv::net::TPing* Ping1;
    qv::net::TWSocket* WSocket1;
    bool m_closing = false;
    bool m_echoAnswered = false;
};
