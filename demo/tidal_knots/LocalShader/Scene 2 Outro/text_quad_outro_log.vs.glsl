#version 150 compatibility
// The outro's logo on the "Particle Quad" (corners at +-1, no texture
// coordinates). The five outro quads share "OutroTextBaseTrafo" (-30, 10, 10),
// so each places itself: the logo stands left of the credits, at (-46, 4) of
// the text plane; it grows slightly as "uni_blend" brings it up.
uniform float uni_blend;

out vec2 v_uv;

const vec2 kCentre = vec2(-16.0, -6.0);
const float kHalfSize = 30.0;

void main()
{
    float b = clamp(uni_blend, 0.0, 1.0);
    vec2 corner = gl_Vertex.xy;
    vec2 position = kCentre + corner * (kHalfSize * (0.96 + 0.04 * b));
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 0.0, 1.0);
    v_uv = corner * 0.5 + 0.5;
}
