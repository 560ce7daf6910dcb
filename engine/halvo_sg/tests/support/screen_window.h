#pragma once
// A visible window whose default framebuffer stands for the screen in GL
// tests: the test context is made current on it while the object lives, and
// on its earlier surface again afterwards. Free of GL and Qt headers.
#include <memory>
#include <string>

namespace hlv_sg_test {

class CScreenWindow {
public:
    // Needs the test context current (hlv_gl_test::EnsureGlContext).
    CScreenWindow(int width, int height);
    ~CScreenWindow();
    CScreenWindow(const CScreenWindow&) = delete;
    CScreenWindow& operator=(const CScreenWindow&) = delete;

    // Empty when the window is current, else what failed.
    const std::string& Error() const { return m_error; }

private:
    struct State;
    std::unique_ptr<State> m_state;
    std::string m_error;
};

}  // namespace hlv_sg_test
