#version 150 compatibility
// The intro's logo on the "Particle Quad" (corners at +-1, no texture
// coordinates). Under "LogoWithNameTrafo" (10, 0, 10) it hangs above the
// horizon at (0, 18) of the text plane, 110 units before the camera; as it
// fades in it rises a little and grows to its size.
uniform float uni_interpolator;

out vec2 v_uv;
noperspective out vec2 v_screen;

const vec2 kCentre = vec2(-10.0, 18.0);
const float kHalfSize = 24.0;

void main()
{
    float t = clamp(uni_interpolator, 0.0, 1.0);
    float ease = 1.0 - (1.0 - t) * (1.0 - t);
    vec2 corner = gl_Vertex.xy;
    vec2 position = kCentre + vec2(0.0, -3.0 * (1.0 - ease)) + corner * (kHalfSize * (0.94 + 0.06 * ease));
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 0.0, 1.0);
    v_uv = corner * 0.5 + 0.5;
    v_screen = gl_Position.xy / gl_Position.w * 0.5 + 0.5;
}
