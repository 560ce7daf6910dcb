#pragma once
// The placement of a node: a 3x3 matrix, a translation and a scale, composed
// down the tree by the transform visitor and turned into a model matrix by the
// render visitor.
#include <plovdane/math_types.h>

namespace hlv_sg {

struct NODE_TRANSFORM {
    pld_math::mat3f matrix = pld_math::mat3f::identity();  // row-major
    pld_math::vec3f translation{0.0f, 0.0f, 0.0f};
    pld_math::vec3f scale{1.0f, 1.0f, 1.0f};

    friend bool operator==(const NODE_TRANSFORM&, const NODE_TRANSFORM&) = default;
};
static_assert(sizeof(NODE_TRANSFORM) == 15 * sizeof(float), "a transform is 15 floats");

// The parent's transform followed by the local one: the matrices multiply
// (parent on the left), the translations add and the scales multiply
// componentwise. The local translation is neither rotated nor scaled by the
// parent.
NODE_TRANSFORM Compose(const NODE_TRANSFORM& parent, const NODE_TRANSFORM& local);

// Row-major 4x4 for column vectors: the upper-left block is matrix x diag(scale),
// the last column holds the translation, the last row is (0, 0, 0, 1).
pld_math::mat4f ModelMatrix(const NODE_TRANSFORM& transform);

}  // namespace hlv_sg
