#pragma once

#include "bench/display/SteppedBench.h"

#include <QMatrix4x4>
#include <QOpenGLFunctions>

class QOpenGLWindow;

namespace qv::bench::display {

// The 3D display benchmark: three fixed OpenGL scenes in an 800 × 600 window without vertical sync,
// each drawn as fast as the renderer goes.
class Bench3D : public SteppedBench, private QOpenGLFunctions {
public:
    Bench3D();

protected:
    void checkDisplay() override;
    std::unique_ptr<QWindow> createWindow() override;
    void prepare(QWindow& window, DisplayResult& result) override;
    std::int64_t drawFrame(std::size_t test) override;
    Frame readFrame() override;
    double primitivesPerOperation(std::size_t test) const override;

private:
    void drawScene(std::size_t scene);
    void drawTriangles();
    void drawFill();
    void drawModel();
    GLuint program(const char* vertex, const char* fragment);
    GLuint buffer(GLenum target, const void* data, std::size_t bytes);

    QOpenGLWindow* m_window = nullptr;
    std::size_t m_lastScene = 0;
    int m_frame = 0;
    GLuint m_flatProgram = 0;
    GLuint m_textureProgram = 0;
    GLuint m_litProgram = 0;
    GLuint m_triangles = 0;
    GLuint m_quad = 0;
    GLuint m_texture = 0;
    GLuint m_modelPositions = 0;
    GLuint m_modelNormals = 0;
    GLuint m_modelIndices = 0;
    GLsizei m_modelIndexCount = 0;
};

} // namespace qv::bench::display
