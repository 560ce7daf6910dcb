#version 150 compatibility
// Declares its primitive layouts itself, so linking needs no program
// parameters; draws each triangle once.
layout(triangles) in;
layout(triangle_strip, max_vertices = 3) out;

in vec4 v_color[];
out vec4 g_color;

void main()
{
    for (int i = 0; i < 3; ++i) {
        gl_Position = gl_in[i].gl_Position;
        g_color = v_color[i];
        EmitVertex();
    }
    EndPrimitive();
}
