#version 150 compatibility
// The group name and demo title of the outro on the "Particle Quad" (corners
// at +-1, no texture coordinates), both 4:1 images on one quad. The five
// outro quads share "OutroTextBaseTrafo" (-30, 10, 10), so each places
// itself: this one starts on the middle row of the credits column, (30, 12)
// of the text plane, and "uni_blend_mix" lifts it to the top row, (30, 33),
// where the title stands above the coder and the musician.
uniform float uni_blend_mix;

out vec2 v_uv;

const vec2 kMiddleRow = vec2(60.0, 2.0);
const vec2 kTopRow = vec2(60.0, 23.0);
const vec2 kHalfSize = vec2(40.0, 10.0);

void main()
{
    float lift = smoothstep(0.0, 1.0, clamp(uni_blend_mix, 0.0, 1.0));
    vec2 corner = gl_Vertex.xy;
    vec2 position = mix(kMiddleRow, kTopRow, lift) + corner * kHalfSize;
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 0.0, 1.0);
    v_uv = corner * 0.5 + 0.5;
}
