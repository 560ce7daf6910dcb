#include <halvo_sg/node_transform.h>

namespace hlv_sg {

NODE_TRANSFORM Compose(const NODE_TRANSFORM& parent, const NODE_TRANSFORM& local)
{
    NODE_TRANSFORM result;
    result.matrix = parent.matrix * local.matrix;
    for (std::size_t i = 0; i < 3; ++i) {
        result.translation[i] = parent.translation[i] + local.translation[i];
        result.scale[i] = parent.scale[i] * local.scale[i];
    }
    return result;
}

pld_math::mat4f ModelMatrix(const NODE_TRANSFORM& transform)
{
    pld_math::mat4f model;
    for (std::size_t row = 0; row < 3; ++row) {
        for (std::size_t column = 0; column < 3; ++column)
            model(row, column) = transform.matrix(row, column) * transform.scale[column];
        model(row, 3) = transform.translation[row];
    }
    model(3, 3) = 1.0f;
    return model;
}

}  // namespace hlv_sg
