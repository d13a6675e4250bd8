// qv-picgen: writes the program's pictures, picture list and sound cue under a forms folder.
// Usage: qv-picgen <repo>/forms   (runs headless; the output is the same on every run)

#include "BenchPictures.h"
#include "Chime.h"
#include "Families.h"
#include "IndicatorPictures.h"
#include "Painting.h"
#include "PictureSink.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <exception>

namespace {

void writeChime(const QDir& forms)
{
    if (!forms.mkpath(QStringLiteral("sounds")))
        throw std::runtime_error("cannot create the sounds folder");
    const QByteArray wave = qv::picgen::chimeWave();
    QSaveFile file(forms.filePath(QStringLiteral("sounds/QUORVEX.001")));
    if (!file.open(QIODevice::WriteOnly) || file.write(wave) != wave.size() || !file.commit())
        throw std::runtime_error("cannot write sounds/QUORVEX.001");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: qv-picgen <forms folder>\n");
        return 2;
    }
    try {
        const QDir forms(QString::fromLocal8Bit(argv[1]));
        qv::picgen::PictureSink sink(forms);
        // Every picture for ordinary screens, then its @2x version for screens of pixel ratio 2.
        for (const int scale : {1, 2}) {
            qv::picgen::setPictureScale(scale);
            qv::picgen::makeTitlePictures(sink);
            qv::picgen::makeTabPictures(sink);
            qv::picgen::makePagePictures(sink);
            qv::picgen::makeCommandGlyphs(sink);
            qv::picgen::makeButtonGlyphs(sink);
            qv::picgen::makeSmallPictures(sink);
            qv::picgen::makeIndicatorPictures(sink);
            qv::picgen::makeBenchPictures(sink);
        }
        sink.writeList();
        writeChime(forms);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qv-picgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
