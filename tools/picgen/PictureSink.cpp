#include "PictureSink.h"

#include <QFile>
#include <QSaveFile>

#include <stdexcept>

namespace qv::picgen {

PictureSink::PictureSink(const QDir& forms)
    : m_forms(forms)
{
    if (!m_forms.mkpath(QStringLiteral("pictures")))
        throw std::runtime_error("cannot create " +
                                 m_forms.filePath(QStringLiteral("pictures")).toStdString());
}

void PictureSink::save(const QString& name, const QImage& image, bool opaque)
{
    const QString suffix = image.devicePixelRatio() > 1 ? QStringLiteral("@2x.png") : QStringLiteral(".png");
    const QString relative = QStringLiteral("pictures/") + name + suffix;
    if (m_saved.contains(relative))
        throw std::runtime_error("picture generated twice: " + relative.toStdString());
    const QImage stored = image.convertToFormat(opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    if (!stored.save(m_forms.filePath(relative), "PNG"))
        throw std::runtime_error("cannot write " + relative.toStdString());
    m_saved.append(relative);
}

void PictureSink::writeList() const
{
    QStringList sorted = m_saved;
    sorted.sort();
    QByteArray text = "# Written by tools/picgen (qv-picgen); every generated picture, relative to forms/.\n"
                      "set(QV_PICTURES\n";
    for (const QString& path : sorted)
        text += "  " + path.toUtf8() + '\n';
    text += ")\n";

    QSaveFile file(m_forms.filePath(QStringLiteral("pictures.cmake")));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw std::runtime_error("cannot write pictures.cmake");
}

} // namespace qv::picgen
