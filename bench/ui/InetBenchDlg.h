#pragma once

#include "bench/inet/InetBenchmark.h"
#include "bench/ui/NetBenchWindow.h"

#include <optional>

class QLineEdit;
class QSpinBox;

// Benchmark › Internet connection: the address to download from (nobody is contacted until the user
// types one; the last one is remembered), the time, Start/Stop, the live rate, then time to first byte
// and download rate beside the typical links.
class TInetBenchDlg : public qv::benchui::NetBenchWindow {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 206;

    // `preferenceFolder`: where the last address is kept (the working directory when empty).
    explicit TInetBenchDlg(QWidget* parent = nullptr, const QString& preferenceFolder = QString());
    ~TInetBenchDlg() override;

    void setAddress(const QString& url);
    qv::bench::inet::InetSettings settings() const;
    void showResult(const qv::bench::inet::InetResult& result);

protected:
    void startRun() override;
    QList<QWidget*> settingControls() const override;
    std::vector<double> referenceValues() const override;
    std::optional<double> measuredValue() const override;

private:
    QString m_preferenceFolder;
    QLineEdit* m_address = nullptr;
    QSpinBox* m_seconds = nullptr;
    std::optional<qv::bench::inet::InetResult> m_result;
};
