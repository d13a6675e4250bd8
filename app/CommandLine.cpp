#include "app/CommandLine.h"

#include "app/TipPreference.h"
#include "platform/DataPaths.h"
#include "qv/Config.h"

#include <QDir>
#include <QFileInfo>

namespace qv::app {

namespace {

QString usage()
{
    return QStringLiteral(
               "Usage: quorvex [--help | --version | --check-installation]\n"
               "\n"
               "%1, a desktop diagnostic and benchmark suite: processor and memory benchmarks\n"
               "compared with reference machines, processor and operating-system information and a\n"
               "network check, in one window. Without options it opens its main window.\n"
               "\n"
               "Options:\n"
               "  --help                show this help and exit\n"
               "  --version             show the version and exit\n"
               "  --check-installation  show where the help file and the sound cue are found;\n"
               "                        exit status 1 when either is missing\n"
               "\n"
               "Files:\n"
               "  %2 in the working folder keeps whether the tip of the day is shown at\n"
               "  start-up. Started from the desktop menu, the working folder is the user's data\n"
               "  folder ($XDG_DATA_HOME/quorvex, by default ~/.local/share/quorvex).\n")
        .arg(QString::fromLatin1(config::kApplicationTitle), kPreferenceFileName);
}

CommandLineAnswer checkInstallation(const QString& dataFolder)
{
    const QDir folder(dataFolder);
    CommandLineAnswer answer;
    for (const QString& file : {platform::kHelpFileName, platform::kSoundCueFileName}) {
        const QString path = folder.filePath(file);
        if (QFileInfo(path).isFile()) {
            answer.out += path + QLatin1Char('\n');
        } else {
            answer.err += QStringLiteral("quorvex: missing %1\n").arg(path);
            answer.status = 1;
        }
    }
    return answer;
}

} // namespace

std::optional<CommandLineAnswer> answerCommandLine(const QStringList& arguments, const QString& dataFolder)
{
    if (arguments.contains(QStringLiteral("--help")))
        return CommandLineAnswer{0, usage(), {}};
    if (arguments.contains(QStringLiteral("--version")))
        return CommandLineAnswer{
            0,
            QStringLiteral("quorvex (%1) %2\n")
                .arg(QString::fromLatin1(config::kApplicationTitle), QString::fromLatin1(config::kVersion)),
            {}};
    if (arguments.contains(QStringLiteral("--check-installation")))
        return checkInstallation(dataFolder);
    return std::nullopt;
}

} // namespace qv::app
