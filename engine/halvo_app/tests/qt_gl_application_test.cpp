// The Qt GL application on a real window (under Xvfb): the GL view, its
// context handed from the GUI thread to a render thread, the splash screen.
#include <halvo_app/Qt/QtGLApplication.h>
#include <halvo_app/Qt/QtGLWidget.h>
#include <halvo_app/Qt/QtSplashScreen.h>
#include <halvo_app/Qt/oglQtRenderContext.h>
#include <halvo_gfx/ogl/ogl_renderer.h>
#include <halvo_gfx/ogl/ogl_system.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QThread>

#include <gtest/gtest.h>

#include "support/gl_pixels.h"
#include "support/qt_test_application.h"
#include "support/x_visual.h"

namespace {

class CWindowApplication : public hlv_app::QtGLApplication {
public:
    CWindowApplication() : QtGLApplication(&hlv_app_test::TestQApplication()) {}

    void UserInit() override {}
    void UserShutdown() override {}
    void UserStart() override {}
    void OnThreadsStopped() override {}
    void OnRendererHalted(const std::list<std::string>&) override {}
    void OnRendererHalted(const std::string&) override {}
    void OnGLWidgetResized() override { ++resizes; }

    hlv_app::QtSplashScreen* Splash() const { return m_splashScreen; }

    int resizes = 0;
};

class QtGLApplicationTest : public testing::Test {
protected:
    static void SetUpTestSuite() { hlv_app_test::TestQApplication(); }
};

TEST_F(QtGLApplicationTest, StartsWithTheSplashScreenAndACompatibilityContext)
{
    testing::internal::CaptureStderr();
    CWindowApplication app;
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("OpenGL "), std::string::npos) << errors;
    EXPECT_NE(errors.find("Compatibility Profile"), std::string::npos) << errors;

    ASSERT_NE(app.Splash(), nullptr);
    EXPECT_TRUE(app.Splash()->HasImage());
    EXPECT_EQ(app.Splash()->Text(), "New Render Context Created");
    EXPECT_GE(app.Splash()->minimumWidth(), 600);
    EXPECT_EQ(app.centralWidget(), app.GetGLWidget());
    EXPECT_NE(app.GetRenderContext(), nullptr);
    // The OpenGL back end under the front ends.
    ASSERT_TRUE(app.getRenderer().IsValid());
    ASSERT_TRUE(app.getGfxSystem().IsValid());
    EXPECT_EQ(app.getRenderer()->GetName(), "A OpenGL Renderer");
    EXPECT_EQ(app.getGfxSystem()->GetName(), "A OpenGL Gfx System");
    EXPECT_TRUE(hlv_core::IsExactly<hlv_gfx::COglRenderer>(app.getRenderer().get()));
    EXPECT_TRUE(hlv_core::IsExactly<hlv_gfx::COglSystem>(app.getGfxSystem().get()));
    EXPECT_EQ(app.getMTRenderer()->GetRenderer().get(), app.getRenderer().get());
    EXPECT_EQ(app.getMTGfxSystem()->GetGfxSystem().get(), app.getGfxSystem().get());
    // The GUI thread let go of the context after GLEW's initialisation.
    EXPECT_EQ(QOpenGLContext::currentContext(), nullptr);

    app.ShowMessage("Loading");
    EXPECT_EQ(app.Splash()->Text(), "Loading");
    app.CloseSplashScreen();
    EXPECT_EQ(app.Splash(), nullptr);
    app.ShowMessage("nowhere to show this");
}

TEST_F(QtGLApplicationTest, AnotherThreadRendersIntoTheViewAndHandsTheContextBack)
{
    CWindowApplication app;
    app.resize(320, 240);
    app.show();
    QApplication::processEvents();
    QOpenGLContext* context = app.GetGLWidget()->context()->contextHandle();

    std::atomic<std::uint32_t> made{99};
    std::array<std::uint8_t, 4> pixel{};
    bool currentThere = false;
    std::thread renderThread([&] {
        hlv_app::IRenderContext* renderContext = app.GetRenderContext();
        made = renderContext->MakeCurrent();
        if (made != 0) return;
        currentThere = QOpenGLContext::currentContext() == context;
        renderContext->Clear();
        pixel = hlv_app_test::ReadPixel(5, 5);
        renderContext->SwapBuffers();
        renderContext->DoneCurrent();
    });
    renderThread.join();

    ASSERT_EQ(made.load(), 0u);
    EXPECT_TRUE(currentThere);
    // The colour shown while rendering is halted.
    EXPECT_NEAR(pixel[0], 220, 1);
    EXPECT_NEAR(pixel[1], 60, 1);
    EXPECT_NEAR(pixel[2], 133, 1);
    EXPECT_EQ(context->thread(), QApplication::instance()->thread());
    EXPECT_EQ(QOpenGLContext::currentContext(), nullptr);
}

TEST_F(QtGLApplicationTest, ResizingTellsTheApplicationAndLeavesTheContextAlone)
{
    CWindowApplication app;
    app.show();
    QApplication::processEvents();
    const int before = app.resizes;
    app.resize(640, 360);
    QApplication::processEvents();
    app.GetGLWidget()->repaint();
    EXPECT_GT(app.resizes, before);
    EXPECT_EQ(QOpenGLContext::currentContext(), nullptr);
    // Never made current here: the render thread can still take the context over.
    EXPECT_EQ(app.GetGLWidget()->context()->contextHandle()->thread(), nullptr);
}

// Screen grabbers such as xwd read a plain window lying within a larger
// window of the same visual from the larger one, where the X server blanks
// what the plain window covers: the splash screen and the main window, under
// the plain windows an application shows (player controls), have the view's
// visual, which plain windows do not have.
TEST_F(QtGLApplicationTest, TheSplashScreenAndTheMainWindowHaveTheViewsVisual)
{
    CWindowApplication app;
    app.show();
    QLabel control("control");
    control.show();
    QApplication::processEvents();

    const std::uint32_t view = hlv_app_test::WindowVisual(app.GetGLWidget()->winId());
    ASSERT_NE(view, 0u);
    EXPECT_EQ(hlv_app_test::WindowVisual(app.winId()), view);
    ASSERT_NE(app.Splash(), nullptr);
    EXPECT_EQ(hlv_app_test::WindowVisual(app.Splash()->winId()), view);
    const std::uint32_t plain = hlv_app_test::WindowVisual(control.winId());
    ASSERT_NE(plain, 0u);
    EXPECT_NE(plain, view);
}

TEST_F(QtGLApplicationTest, MessagesFromOtherThreadsAreShownOnTheGuiThread)
{
    CWindowApplication app;
    std::thread other([&] { app.ShowMessage("from elsewhere"); });
    other.join();
    EXPECT_EQ(app.Splash()->Text(), "New Render Context Created");
    QApplication::processEvents();
    EXPECT_EQ(app.Splash()->Text(), "from elsewhere");
}

TEST_F(QtGLApplicationTest, MouseMovesOverTheViewAreSignalled)
{
    CWindowApplication app;
    int moves = 0;
    QPoint where;
    QObject::connect(app.GetGLWidget(), &hlv_app::QtGLWidget::mouseMoveEventSignal, [&](QMouseEvent* event) {
        ++moves;
        where = event->pos();
    });
    // A drag (without mouse tracking, Qt passes moves with a button held).
    QMouseEvent move(QEvent::MouseMove, QPointF(12, 34), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(app.GetGLWidget(), &move);
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(where, QPoint(12, 34));
}

}  // namespace
