// "quorvex-cli cpu --json" beside the processor window: for every recorded processor the Window object
// holds what the window's controls show after activation.
#include "cpu/ui/InfoCPUDlg.h"
#include "tests/cpu/CpuTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tools/cli/Cli.h"
#include "tools/cli/CpuCommand.h"
#include "ui_InfoCPUDlg.h"
#include "widgets/LED.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <map>
#include <sstream>

// Failure messages show the values as JSON.
void PrintTo(const QJsonValue& value, std::ostream* out)
{
    *out << QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).toStdString();
}

namespace {

QJsonObject reportedWindow(const QString& dumpPath)
{
    qv::cli::CommandRegistry registry;
    registry.add(qv::cli::cpuCommand());
    const std::vector<std::string> args = {"cpu", "--cpuid-dump", dumpPath.toStdString(), "--json"};
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(qv::cli::runCli(registry, args, out, err), 0) << err.str();
    return QJsonDocument::fromJson(QByteArray::fromStdString(out.str()))
        .object()
        .value(QStringLiteral("Window"))
        .toObject();
}

// A control as the Window object writes it: a label's text, whether an indicator is lit and enabled,
// whether a type is selected, whether the detailed page has its tab; null on a page without its tab.
QJsonValue shown(const TInfoCPUDlg& window, const QString& name)
{
    const Ui::InfoCPUDlg& form = window.form();
    if (name == QLatin1String("TabSheet2"))
        return form.TabSheet2->TabVisible();
    const auto* control = window.findChild<QWidget*>(name);
    if (!control)
        return QStringLiteral("(no such control)");
    if (form.TabSheet2->isAncestorOf(control) && !form.TabSheet2->TabVisible())
        return QJsonValue::Null;
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* led = qobject_cast<const TLEDLabel*>(control))
        return led->isEnabled() && led->Lit();
    if (const auto* type = qobject_cast<const QRadioButton*>(control))
        return type->isChecked();
    return QStringLiteral("(not a control that shows a value)");
}

class CpuWindowJson : public qv::test::ErrorCheckedTest {
protected:
    qv::test::ScopedSystemInfo m_facts{1, 586};
};

TEST_F(CpuWindowJson, EveryRecordedProcessorReportsWhatTheWindowShows)
{
    std::map<QString, QJsonObject> reported;
    for (const QString& file :
         QDir(QStringLiteral(QV_SOURCE_DIR "/tests/cpu/dumps")).entryList(QDir::Files)) {
        // At 866 MHz a Coppermine earns its series suffix.
        const std::string dump = qv::test::loadDumpText(file.toStdString()) + "CLOCK 866.0\n";
        const QString path = QDir(qv::test::scratchDirectory()).filePath(file);
        QFile written(path);
        ASSERT_TRUE(written.open(QIODevice::WriteOnly));
        written.write(QByteArray::fromStdString(dump));
        written.close();

        const QJsonObject json = reportedWindow(path);
        const qv::test::ScopedDump replay(qv::test::ScopedDump::fromText(dump));
        TInfoCPUDlg window;
        window.show();
        for (auto it = json.begin(); it != json.end(); ++it)
            EXPECT_EQ(shown(window, it.key()), it.value())
                << file.toStdString() << ": " << it.key().toStdString();
        // Nothing the window lights or selects is left out.
        for (const QWidget* control : window.findChildren<QWidget*>()) {
            if (qobject_cast<const TLEDLabel*>(control) || qobject_cast<const QRadioButton*>(control)) {
                EXPECT_TRUE(json.contains(control->objectName())) << control->objectName().toStdString();
            }
        }
        reported[file] = json;
    }

    const auto at = [&reported](const char* file, const char* key) {
        return reported[QString::fromLatin1(file)].value(QLatin1String(key));
    };
    EXPECT_EQ(at("intel-pentium3-coppermine.txt", "TypeProcesseur"),
              QStringLiteral("Intel Pentium III (0.18µ) at 866 Mhz série EB"));
    EXPECT_EQ(at("intel-celeron-mendocino.txt", "TailleCacheL2"), QStringLiteral("128 Ko")) << "Celeron 128K";
    EXPECT_EQ(at("intel-celeron-mendocino.txt", "Modele"), QStringLiteral("Celeron"));
    EXPECT_EQ(at("amd-k6-2.txt", "Support3DNow"), true);
    EXPECT_EQ(at("amd-k6-2-without-3dnow-bit.txt", "Support3DNow"), false);
    EXPECT_EQ(at("amd-athlon-xp-without-3dnow-bit.txt", "Support3DNow"), true) << "an AMD of family 6";
    EXPECT_EQ(at("no-cpuid.txt", "TabSheet2"), false);
    EXPECT_EQ(at("no-cpuid.txt", "Copro"), false);
    EXPECT_EQ(at("no-cpuid.txt", "Classe"), QJsonValue::Null);
}

} // namespace
