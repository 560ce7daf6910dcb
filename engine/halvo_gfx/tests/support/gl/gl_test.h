#pragma once
// Base fixture of GL tests: the program's context is current when a test
// starts, with no GL error pending, and a test must leave no GL error behind.
#include <GL/glew.h>

#include <gtest/gtest.h>

#include "gl/gl_context.h"
#include "gl/gl_queries.h"

namespace hlv_gl_test {

class CGlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string error = EnsureGlContext();
        ASSERT_TRUE(error.empty()) << error;
        DrainGlErrors();
    }

    void TearDown() override
    {
        if (!EnsureGlContext().empty()) return;
        EXPECT_EQ(DrainGlErrors(), std::vector<GLenum>{}) << "GL errors left behind by the test";
    }
};

}  // namespace hlv_gl_test
