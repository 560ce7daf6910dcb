#version 150 compatibility
// The overlay pass: one full-screen quad; each input read through its own
// texture matrix (inputs in the order the builder connects them: the main
// scene, the grain, the vignette, the light leak).
out vec2 v_base;
out vec2 v_vignette;
out vec2 v_leak;

void main()
{
    gl_Position = vec4(gl_Vertex.xy, 0.0, 1.0);
    v_base = (gl_TextureMatrix[0] * gl_MultiTexCoord0).xy;
    v_vignette = (gl_TextureMatrix[2] * gl_MultiTexCoord0).xy;
    v_leak = (gl_TextureMatrix[3] * gl_MultiTexCoord0).xy;
}
