#version 150 compatibility
// The greetings of the outro on the "Particle Quad" (corners at +-1, no
// texture coordinates), in the image's 2:1 proportions. The five outro quads
// share "OutroTextBaseTrafo" (-30, 10, 10), so each places itself: the
// greetings stand at the foot of the credits column, (30, -25) of the text
// plane, clear of the title, the coder and the musician they follow.
uniform float uni_blend;

out vec2 v_uv;

const vec2 kCentre = vec2(60.0, -35.0);
const vec2 kHalfSize = vec2(36.0, 18.0);

void main()
{
    float b = clamp(uni_blend, 0.0, 1.0);
    vec2 corner = gl_Vertex.xy;
    vec2 position = kCentre + vec2(0.0, -1.5 * (1.0 - b) * (1.0 - b)) + corner * kHalfSize;
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 0.0, 1.0);
    v_uv = corner * 0.5 + 0.5;
}
