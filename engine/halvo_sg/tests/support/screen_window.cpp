#include "screen_window.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QSurface>
#include <QWindow>

namespace hlv_sg_test {

struct CScreenWindow::State {
    QWindow window;
    QOpenGLContext* context = nullptr;
    QSurface* previous = nullptr;
};

CScreenWindow::CScreenWindow(int width, int height) : m_state(std::make_unique<State>())
{
    m_state->context = QOpenGLContext::currentContext();
    if (!m_state->context) {
        m_error = "no current OpenGL context";
        return;
    }
    m_state->previous = m_state->context->surface();
    m_state->window.setSurfaceType(QSurface::OpenGLSurface);
    m_state->window.setFormat(m_state->context->format());
    m_state->window.resize(width, height);
    m_state->window.show();
    QGuiApplication::processEvents();
    if (!m_state->context->makeCurrent(&m_state->window))
        m_error = "the context could not be made current on the window";
}

CScreenWindow::~CScreenWindow()
{
    if (m_state->context && m_state->previous) m_state->context->makeCurrent(m_state->previous);
}

}  // namespace hlv_sg_test
