#version 150 compatibility
// A full-screen pass over four inputs: input i at its texture matrix.
out vec2 v_uv[4];

void main()
{
    gl_Position = vec4(gl_Vertex.xy, 0.0, 1.0);
    for (int i = 0; i < 4; ++i) v_uv[i] = (gl_TextureMatrix[i] * gl_MultiTexCoord0).xy;
}
