#include "bench/display/Bench3D.h"

#include "bench/display/DisplayTests.h"

#include <QOpenGLContext>
#include <QOpenGLWindow>

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace qv::bench::display {

namespace {

constexpr QSize kWindowSize{800, 600};
constexpr int kTriangleCount = 100'000;
constexpr int kFillLayers = 8;
constexpr int kTextureSize = 256;
// The model: a rippled torus of kRings × kSides quads, two triangles each (307,200 triangles).
constexpr int kRings = 640;
constexpr int kSides = 240;

constexpr char kNoContext[] =
    "No OpenGL context can be made on this display, so the 3D benchmark cannot run.";

enum Scene : std::size_t { Triangles, Fill, Model };

// Written for both desktop OpenGL 2.0 and OpenGL ES 2.0.
constexpr char kPrecision[] = "#ifdef GL_ES\nprecision mediump float;\n#endif\n";

constexpr char kFlatVertex[] = "attribute vec2 position;\n"
                               "void main() { gl_Position = vec4(position, 0.0, 1.0); }\n";
constexpr char kFlatFragment[] = "uniform vec4 colour;\n"
                                 "void main() { gl_FragColor = colour; }\n";
constexpr char kTextureVertex[] = "attribute vec2 position;\n"
                                  "uniform vec2 offset;\n"
                                  "varying vec2 uv;\n"
                                  "void main() {\n"
                                  "    uv = position * 1.5 + offset;\n"
                                  "    gl_Position = vec4(position, 0.0, 1.0);\n"
                                  "}\n";
constexpr char kTextureFragment[] = "uniform sampler2D image;\n"
                                    "varying vec2 uv;\n"
                                    "void main() { gl_FragColor = texture2D(image, uv); }\n";
constexpr char kLitVertex[] = "attribute vec3 position;\n"
                              "attribute vec3 normal;\n"
                              "uniform mat4 transform;\n"
                              "uniform mat3 rotation;\n"
                              "varying vec3 lightNormal;\n"
                              "void main() {\n"
                              "    lightNormal = rotation * normal;\n"
                              "    gl_Position = transform * vec4(position, 1.0);\n"
                              "}\n";
constexpr char kLitFragment[] =
    "uniform vec3 colour;\n"
    "varying vec3 lightNormal;\n"
    "void main() {\n"
    "    float diffuse = max(dot(normalize(lightNormal), normalize(vec3(0.4, 0.6, "
    "1.0))), 0.0);\n"
    "    gl_FragColor = vec4(colour * (0.25 + 0.75 * diffuse), 1.0);\n"
    "}\n";

class BenchWindow : public QOpenGLWindow {
public:
    BenchWindow()
        : QOpenGLWindow(NoPartialUpdate)
    {
        QSurfaceFormat format = QSurfaceFormat::defaultFormat();
        format.setSwapInterval(0);
        format.setDepthBufferSize(24);
        setFormat(format);
    }
};

struct Rgb {
    float red;
    float green;
    float blue;
};

Rgb rgbOf(std::uint32_t colour)
{
    return {float((colour >> 16U) & 0xffU) / 255.0F, float((colour >> 8U) & 0xffU) / 255.0F,
            float(colour & 0xffU) / 255.0F};
}

std::string glText(QOpenGLFunctions& gl, GLenum name)
{
    const auto* text = reinterpret_cast<const char*>(gl.glGetString(name));
    return text != nullptr ? text : "";
}

struct Mesh {
    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<GLuint> indices;
};

// A torus whose tube swells and narrows along its ring, so that the lighting has something to show.
Mesh rippledTorus()
{
    Mesh mesh;
    mesh.positions.reserve(std::size_t(kRings) * kSides * 3);
    mesh.normals.reserve(std::size_t(kRings) * kSides * 3);
    constexpr double kTau = 2 * std::numbers::pi;
    for (int ring = 0; ring < kRings; ++ring) {
        const double u = kTau * ring / kRings;
        const double tube = 0.28 + 0.05 * std::sin(12 * u);
        for (int side = 0; side < kSides; ++side) {
            const double v = kTau * side / kSides;
            const double radius = 0.7 + tube * std::cos(v);
            mesh.positions.insert(
                mesh.positions.end(),
                {float(radius * std::cos(u)), float(radius * std::sin(u)), float(tube * std::sin(v))});
            mesh.normals.insert(mesh.normals.end(), {float(std::cos(v) * std::cos(u)),
                                                     float(std::cos(v) * std::sin(u)), float(std::sin(v))});
        }
    }
    mesh.indices.reserve(std::size_t(kRings) * kSides * 6);
    const auto at = [](int ring, int side) { return GLuint((ring % kRings) * kSides + side % kSides); };
    for (int ring = 0; ring < kRings; ++ring) {
        for (int side = 0; side < kSides; ++side) {
            mesh.indices.insert(mesh.indices.end(),
                                {at(ring, side), at(ring + 1, side), at(ring + 1, side + 1), at(ring, side),
                                 at(ring + 1, side + 1), at(ring, side + 1)});
        }
    }
    return mesh;
}

} // namespace

Bench3D::Bench3D()
    : SteppedBench(DisplayKind::ThreeD, kWindowSize)
{
}

void Bench3D::checkDisplay()
{
    // An OpenGL window on a platform without OpenGL would not even paint: a context is tried first.
    QOpenGLContext probe;
    if (!probe.create())
        throw std::runtime_error(kNoContext);
}

std::unique_ptr<QWindow> Bench3D::createWindow()
{
    auto window = std::make_unique<BenchWindow>();
    m_window = window.get();
    return window;
}

GLuint Bench3D::program(const char* vertex, const char* fragment)
{
    const auto compile = [this](GLenum type, const char* source) {
        const GLuint shader = glCreateShader(type);
        const char* parts[] = {kPrecision, source};
        glShaderSource(shader, 2, parts, nullptr);
        glCompileShader(shader);
        GLint compiled = 0;
        glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
        if (compiled == 0)
            throw std::runtime_error("The OpenGL renderer refused the benchmark's shaders.");
        return shader;
    };
    const GLuint linked = glCreateProgram();
    glAttachShader(linked, compile(GL_VERTEX_SHADER, vertex));
    glAttachShader(linked, compile(GL_FRAGMENT_SHADER, fragment));
    glBindAttribLocation(linked, 0, "position");
    glBindAttribLocation(linked, 1, "normal");
    glLinkProgram(linked);
    GLint status = 0;
    glGetProgramiv(linked, GL_LINK_STATUS, &status);
    if (status == 0)
        throw std::runtime_error("The OpenGL renderer refused the benchmark's shaders.");
    return linked;
}

GLuint Bench3D::buffer(GLenum target, const void* data, std::size_t bytes)
{
    GLuint name = 0;
    glGenBuffers(1, &name);
    glBindBuffer(target, name);
    glBufferData(target, GLsizeiptr(bytes), data, GL_STATIC_DRAW);
    return name;
}

void Bench3D::prepare(QWindow&, DisplayResult& result)
{
    // The window made its context when it was first shown.
    if (!m_window->isValid())
        throw std::runtime_error(kNoContext);
    m_window->makeCurrent();
    initializeOpenGLFunctions();
    result.renderer = glText(*this, GL_RENDERER);
    result.vendor = glText(*this, GL_VENDOR);
    result.version = glText(*this, GL_VERSION);
    result.software = isSoftwareRenderer(result.renderer);

    m_flatProgram = program(kFlatVertex, kFlatFragment);
    m_textureProgram = program(kTextureVertex, kTextureFragment);
    m_litProgram = program(kLitVertex, kLitFragment);

    // Small triangles spread over the window, each with corners up to 0.012 from its centre.
    std::vector<float> triangles;
    triangles.reserve(std::size_t(kTriangleCount) * 6);
    for (int i = 0; i < kTriangleCount; ++i) {
        const QPointF centre = spreadPoint(i);
        for (int vertex = 0; vertex < 3; ++vertex) {
            const QPointF corner = spreadPoint(kTriangleCount + 3 * i + vertex);
            triangles.insert(triangles.end(), {float(2 * centre.x() - 1 + 0.024 * (corner.x() - 0.5)),
                                               float(2 * centre.y() - 1 + 0.024 * (corner.y() - 0.5))});
        }
    }
    m_triangles = buffer(GL_ARRAY_BUFFER, triangles.data(), triangles.size() * sizeof(float));

    const float quad[] = {-1, -1, 1, -1, -1, 1, -1, 1, 1, -1, 1, 1};
    m_quad = buffer(GL_ARRAY_BUFFER, quad, sizeof quad);

    // The scene's colour at opacities from a tenth to a third, in soft blotches.
    const std::uint32_t ink = sceneColours(DisplayKind::ThreeD, Fill).ink;
    std::vector<std::uint32_t> texels(std::size_t(kTextureSize) * kTextureSize);
    for (int y = 0; y < kTextureSize; ++y) {
        for (int x = 0; x < kTextureSize; ++x) {
            const double wave = 0.5 + 0.25 * (std::sin(x * 0.1) + std::cos(y * 0.07));
            const auto alpha = std::uint32_t(255 * (0.1 + 0.23 * wave));
            const Rgb colour = rgbOf(ink);
            // Bytes in memory: red, green, blue, alpha.
            texels[std::size_t(y) * kTextureSize + std::size_t(x)] =
                std::uint32_t(colour.red * 255) | std::uint32_t(colour.green * 255) << 8U |
                std::uint32_t(colour.blue * 255) << 16U | alpha << 24U;
        }
    }
    glGenTextures(1, &m_texture);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kTextureSize, kTextureSize, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texels.data());

    const Mesh mesh = rippledTorus();
    m_modelPositions = buffer(GL_ARRAY_BUFFER, mesh.positions.data(), mesh.positions.size() * sizeof(float));
    m_modelNormals = buffer(GL_ARRAY_BUFFER, mesh.normals.data(), mesh.normals.size() * sizeof(float));
    m_modelIndices =
        buffer(GL_ELEMENT_ARRAY_BUFFER, mesh.indices.data(), mesh.indices.size() * sizeof(GLuint));
    m_modelIndexCount = GLsizei(mesh.indices.size());
    m_frame = 0;
    if (glGetError() != GL_NO_ERROR)
        throw std::runtime_error("The OpenGL renderer could not hold the benchmark's scenes.");
}

double Bench3D::primitivesPerOperation(std::size_t test) const
{
    switch (test) {
    case Triangles:
        return kTriangleCount;
    case Fill:
        return 2 * kFillLayers;
    default:
        return double(m_modelIndexCount) / 3;
    }
}

void Bench3D::drawTriangles()
{
    const Rgb ink = rgbOf(sceneColours(DisplayKind::ThreeD, Triangles).ink);
    glUseProgram(m_flatProgram);
    glUniform4f(glGetUniformLocation(m_flatProgram, "colour"), ink.red, ink.green, ink.blue, 1.0F);
    glBindBuffer(GL_ARRAY_BUFFER, m_triangles);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glDrawArrays(GL_TRIANGLES, 0, 3 * kTriangleCount);
    glDisableVertexAttribArray(0);
}

void Bench3D::drawFill()
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glUseProgram(m_textureProgram);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glUniform1i(glGetUniformLocation(m_textureProgram, "image"), 0);
    glBindBuffer(GL_ARRAY_BUFFER, m_quad);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    const GLint offset = glGetUniformLocation(m_textureProgram, "offset");
    for (int layer = 0; layer < kFillLayers; ++layer) {
        const float shift = 0.13F * float(layer) + 0.002F * float(m_frame % 500);
        glUniform2f(offset, shift, -shift);
        glDrawArrays(GL_TRIANGLES, 0, 6);
    }
    glDisableVertexAttribArray(0);
    glDisable(GL_BLEND);
}

void Bench3D::drawModel()
{
    const Rgb ink = rgbOf(sceneColours(DisplayKind::ThreeD, Model).ink);
    QMatrix4x4 rotation;
    rotation.rotate(float(m_frame % 360), 0.3F, 1.0F, 0.2F);
    QMatrix4x4 transform;
    transform.perspective(45.0F, float(kWindowSize.width()) / float(kWindowSize.height()), 0.5F, 10.0F);
    transform.translate(0, 0, -3.2F);
    transform *= rotation;
    glEnable(GL_DEPTH_TEST);
    glUseProgram(m_litProgram);
    glUniformMatrix4fv(glGetUniformLocation(m_litProgram, "transform"), 1, GL_FALSE, transform.constData());
    glUniformMatrix3fv(glGetUniformLocation(m_litProgram, "rotation"), 1, GL_FALSE,
                       rotation.normalMatrix().constData());
    glUniform3f(glGetUniformLocation(m_litProgram, "colour"), ink.red, ink.green, ink.blue);
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glBindBuffer(GL_ARRAY_BUFFER, m_modelPositions);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, m_modelNormals);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_modelIndices);
    glDrawElements(GL_TRIANGLES, m_modelIndexCount, GL_UNSIGNED_INT, nullptr);
    glDisableVertexAttribArray(0);
    glDisableVertexAttribArray(1);
    glDisable(GL_DEPTH_TEST);
}

void Bench3D::drawScene(std::size_t scene)
{
    const qreal ratio = m_window->devicePixelRatio();
    glViewport(0, 0, GLsizei(kWindowSize.width() * ratio), GLsizei(kWindowSize.height() * ratio));
    const Rgb background = rgbOf(sceneColours(DisplayKind::ThreeD, scene).background);
    glClearColor(background.red, background.green, background.blue, 1.0F);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (scene == Triangles)
        drawTriangles();
    else if (scene == Fill)
        drawFill();
    else
        drawModel();
}

std::int64_t Bench3D::drawFrame(std::size_t test)
{
    m_window->makeCurrent();
    drawScene(test);
    m_window->context()->swapBuffers(m_window->context()->surface());
    // A driver may queue frames and return from the swap at once: each frame is timed until it is done.
    glFinish();
    m_lastScene = test;
    ++m_frame;
    return 1;
}

Frame Bench3D::readFrame()
{
    // The frame shown is gone with the swap: the same frame is drawn again and read before any swap.
    m_window->makeCurrent();
    --m_frame;
    drawScene(m_lastScene);
    ++m_frame;
    const qreal ratio = m_window->devicePixelRatio();
    const int width = int(kWindowSize.width() * ratio);
    const int height = int(kWindowSize.height() * ratio);
    QImage image(width, height, QImage::Format_RGBA8888);
    if (image.isNull())
        return {}; // no memory for the copy: the frame is left out, as a run without kept frames has none
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    return frameOf(image.mirrored());
}

} // namespace qv::bench::display
