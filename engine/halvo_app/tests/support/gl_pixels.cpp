#include <GL/glew.h>

#include "gl_pixels.h"

namespace hlv_app_test {

std::array<std::uint8_t, 4> ReadPixel(int x, int y)
{
    std::array<std::uint8_t, 4> pixel{};
    glFinish();
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    return pixel;
}

}  // namespace hlv_app_test
