#version 150 compatibility
// The intro's title on the "Particle Quad" (corners at +-1, no texture
// coordinates). Under "LogoWithNameTrafo" (10, 0, 10) it lies below the logo
// at (0, -22) of the text plane, in the image's 4:1 proportions; while it
// fades in it grows a little to its full size.
uniform float uni_blend;

out vec2 v_uv;
noperspective out vec2 v_screen;

const vec2 kCentre = vec2(-10.0, -22.0);
const vec2 kHalfSize = vec2(44.0, 11.0);

void main()
{
    float b = clamp(uni_blend, 0.0, 1.0);
    vec2 corner = gl_Vertex.xy;
    float size = 0.94 + 0.06 * (1.0 - (1.0 - b) * (1.0 - b));
    vec2 position = kCentre + corner * kHalfSize * size;
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 0.0, 1.0);
    v_uv = corner * 0.5 + 0.5;
    v_screen = gl_Position.xy / gl_Position.w * 0.5 + 0.5;
}
