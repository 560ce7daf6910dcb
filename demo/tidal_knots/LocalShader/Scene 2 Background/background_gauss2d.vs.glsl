#version 150 compatibility
// Full-screen pass over the Scene 2 background. The texture matrix scales the
// quad's coordinates onto the part of the texture the background was drawn
// into; that part's far corner bounds the samples.
out vec2 v_uv;
flat out vec2 v_limit;

void main()
{
    gl_Position = vec4(gl_Vertex.xy, 0.0, 1.0);
    v_uv = (gl_TextureMatrix[0] * gl_MultiTexCoord0).xy;
    v_limit = vec2(gl_TextureMatrix[0][0][0], gl_TextureMatrix[0][1][1]);
}
