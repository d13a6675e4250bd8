#pragma once

#include "bench/net/NetBenchmark.h"
#include "bench/ui/NetBenchWindow.h"

#include <optional>

class QComboBox;
class QLineEdit;
class QSpinBox;

// Benchmark › Network connection: host, port, streams and time of a run against `quorvex-cli serve`,
// Start/Stop, the live rate, then download, upload and round trips beside the typical links.
class TNetBenchDlg : public qv::benchui::NetBenchWindow {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 208;

    explicit TNetBenchDlg(QWidget* parent = nullptr);
    ~TNetBenchDlg() override;

    void setServer(const QString& host, int port);
    // The settings Start would run with.
    qv::bench::net::NetSettings settings() const;
    void showResult(const qv::bench::net::NetResult& result);

protected:
    void startRun() override;
    QList<QWidget*> settingControls() const override;
    std::vector<double> referenceValues() const override;
    std::optional<double> measuredValue() const override;

private:
    QLineEdit* m_host = nullptr;
    QSpinBox* m_port = nullptr;
    QComboBox* m_streams = nullptr;
    QSpinBox* m_seconds = nullptr;
    std::optional<qv::bench::net::NetResult> m_result;
};
