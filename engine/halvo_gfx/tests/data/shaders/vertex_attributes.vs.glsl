#version 150 compatibility
// Red and green from the vertex colour, blue from texture coordinate 0.
out vec4 v_color;

void main()
{
    gl_Position = vec4(gl_Vertex.xy, 0.0, 1.0);
    v_color = vec4(gl_Color.r, gl_Color.g, gl_MultiTexCoord0.x, 1.0);
}
