#version 150 compatibility
// A full-screen pass: the quad's corners are in clip space already. v_uv
// reads the pass's first texture input through its texture matrix (the part
// of a render target that holds the picture); v_screen runs 0..1 across the
// target, where depth inputs, which get no texture matrix, are read.
out vec2 v_uv;
out vec2 v_screen;

void main()
{
    gl_Position = vec4(gl_Vertex.xy, 0.0, 1.0);
    v_uv = (gl_TextureMatrix[0] * gl_MultiTexCoord0).xy;
    v_screen = gl_MultiTexCoord0.xy;
}
