#pragma once

#include <QDir>
#include <QImage>
#include <QStringList>

namespace qv::picgen {

// Writes the generated pictures under <forms>/pictures and keeps their list, which becomes the
// CMake list QV_PICTURES of <forms>/pictures.cmake.
class PictureSink {
public:
    explicit PictureSink(const QDir& forms);

    // Saves image as pictures/<name>.png, or pictures/<name>@2x.png for a picture drawn at double
    // resolution; opaque pictures are stored without an alpha channel.
    // Throws std::runtime_error when the file cannot be written or the name was used before.
    void save(const QString& name, const QImage& image, bool opaque);
    void writeList() const;

    const QDir& forms() const { return m_forms; }

private:
    QDir m_forms;
    QStringList m_saved;
};

} // namespace qv::picgen
