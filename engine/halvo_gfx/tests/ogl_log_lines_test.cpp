// Compile and link logs split into the lines the listeners receive.
#include "ogl/log_lines.h"

#include <gtest/gtest.h>

namespace {

using hlv_gfx::ogl::AppendCompileLogLines;
using hlv_gfx::ogl::AppendLinkLogLines;
using Lines = std::list<std::string>;

TEST(OglLogLines, CompileLogKeepsOnlyNonEmptyLines)
{
    Lines lines{"earlier"};
    AppendCompileLogLines("a\n\nb", lines);
    EXPECT_EQ(lines, (Lines{"earlier", "a", "b"}));

    lines.clear();
    AppendCompileLogLines("\n0:1(2): error: x\n\n0:3(1): error: y\n", lines);
    EXPECT_EQ(lines, (Lines{"0:1(2): error: x", "0:3(1): error: y"}));

    lines.clear();
    AppendCompileLogLines("", lines);
    AppendCompileLogLines("\n\n", lines);
    EXPECT_TRUE(lines.empty());
}

TEST(OglLogLines, LinkLogKeepsEmptyLinesAndALastLineWithoutLineFeed)
{
    Lines lines;
    AppendLinkLogLines("a\n\nb", lines);
    EXPECT_EQ(lines, (Lines{"a", "", "b"}));

    // Mesa's failed-link log: one line, no line feed.
    lines.clear();
    AppendLinkLogLines("error: fragment shader input `v' has no matching output", lines);
    EXPECT_EQ(lines, (Lines{"error: fragment shader input `v' has no matching output"}));

    lines.clear();
    AppendLinkLogLines("x\n", lines);
    EXPECT_EQ(lines, (Lines{"x"}));
    lines.clear();
    AppendLinkLogLines("\n", lines);
    EXPECT_EQ(lines, (Lines{""}));
    lines.clear();
    AppendLinkLogLines("", lines);
    EXPECT_TRUE(lines.empty());
}

}  // namespace
