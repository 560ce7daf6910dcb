#version 150 compatibility
// The coder credit of the outro on the "Particle Quad" (corners at +-1, no
// texture coordinates), in the image's 4:1 proportions. The five outro quads
// share "OutroTextBaseTrafo" (-30, 10, 10), so each places itself: this one
// stands on the second row of the credits column, (30, 14) of the text plane, and
// settles into place from a little lower as "uni_blend" fades it in.
uniform float uni_blend;

out vec2 v_uv;

const vec2 kCentre = vec2(60.0, 4.0);
const vec2 kHalfSize = vec2(28.0, 7.0);

void main()
{
    float b = clamp(uni_blend, 0.0, 1.0);
    vec2 corner = gl_Vertex.xy;
    vec2 position = kCentre + vec2(0.0, -1.5 * (1.0 - b) * (1.0 - b)) + corner * kHalfSize;
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 0.0, 1.0);
    v_uv = corner * 0.5 + 0.5;
}
