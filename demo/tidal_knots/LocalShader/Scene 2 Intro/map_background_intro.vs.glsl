#version 150 compatibility
// The intro's background: one full-screen pass; the mask is input 0.
out vec2 v_uv;

void main()
{
    gl_Position = vec4(gl_Vertex.xy, 0.0, 1.0);
    v_uv = (gl_TextureMatrix[0] * gl_MultiTexCoord0).xy;
}
