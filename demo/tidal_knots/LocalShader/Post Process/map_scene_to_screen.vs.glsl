#version 150 compatibility
// The final pass to the screen: one full-screen quad; each input read
// through its own texture matrix (inputs in the order the builder connects
// them: intro, main scene, outro, ambient occlusion).
out vec2 v_intro;
out vec2 v_main;
out vec2 v_outro;
out vec2 v_ssao;

void main()
{
    gl_Position = vec4(gl_Vertex.xy, 0.0, 1.0);
    v_intro = (gl_TextureMatrix[0] * gl_MultiTexCoord0).xy;
    v_main = (gl_TextureMatrix[1] * gl_MultiTexCoord0).xy;
    v_outro = (gl_TextureMatrix[2] * gl_MultiTexCoord0).xy;
    v_ssao = (gl_TextureMatrix[3] * gl_MultiTexCoord0).xy;
}
