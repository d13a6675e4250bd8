#include "hardware/display/DisplayProbe.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QScreen>

namespace qv::hardware {

namespace {

std::string glString(QOpenGLFunctions& gl, GLenum name)
{
    const auto* text = reinterpret_cast<const char*>(gl.glGetString(name));
    return text ? std::string(text) : std::string();
}

std::optional<OpenGlFacts> probeOpenGl()
{
    QOpenGLContext context;
    if (!context.create())
        return std::nullopt;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return std::nullopt;
    QOpenGLFunctions* gl = context.functions();
    OpenGlFacts facts{glString(*gl, GL_VENDOR), glString(*gl, GL_RENDERER), glString(*gl, GL_VERSION)};
    context.doneCurrent();
    if (facts.vendor.empty() && facts.renderer.empty())
        return std::nullopt;
    return facts;
}

} // namespace

DisplayFacts probeDisplay()
{
    DisplayFacts facts;
    for (const QScreen* screen : QGuiApplication::screens())
        facts.screens.push_back({screen->name().toStdString(), screen->size().width(),
                                 screen->size().height(), screen->refreshRate(), screen->depth(),
                                 screen->logicalDotsPerInch(), screen->devicePixelRatio()});
    facts.openGl = probeOpenGl();
    return facts;
}

} // namespace qv::hardware
