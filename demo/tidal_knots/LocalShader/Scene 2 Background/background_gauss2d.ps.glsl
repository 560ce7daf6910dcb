#version 150 compatibility
// A soft Gaussian blur of the background in one pass. The background has
// half the resolution of the target, so each output pixel lies a quarter
// texel off a texel corner; the pass works from that corner. A 4 x 4 grid of
// bilinear taps two texels apart, each tap exactly on a corner and so the
// mean of the 2 x 2 texels around it, covers the 8 x 8 texels about the
// corner without gaps or uneven weights (sigma about two and a half texels).
// Draws into the scene framebuffer's colour (gl_FragData[0]) and its option
// target (gl_FragData[1]), which it clears to "no geometry".
uniform sampler2D uni_is_tex;
uniform float uni_f_recip_width;    // 1 / width of the background's viewport
uniform float uni_f_recip_height;   // 1 / its height

in vec2 v_uv;
flat in vec2 v_limit;

// exp(-r^2 / (2 sigma^2)) of the taps 1 and 3 texels from the corner.
const vec4 kOffsets = vec4(-3.0, -1.0, 1.0, 3.0);
const vec4 kWeights = vec4(0.487, 0.923, 0.923, 0.487);

void main()
{
    // One texel of the drawn part: the viewport's reciprocal size times the
    // share of the texture it covers.
    vec2 texel = vec2(uni_f_recip_width, uni_f_recip_height) * v_limit;
    vec2 low = 0.5 * texel;
    vec2 high = v_limit - 0.5 * texel;
    // Texel centres lie at k + 0.5 texels; the nearest corner at a whole k.
    vec2 corner = floor(v_uv / texel + 0.5) * texel;

    vec3 sum = vec3(0.0);
    float total = 0.0;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            float weight = kWeights[x] * kWeights[y];
            vec2 uv = clamp(corner + vec2(kOffsets[x], kOffsets[y]) * texel, low, high);
            sum += weight * texture(uni_is_tex, uv).rgb;
            total += weight;
        }
    }

    gl_FragData[0] = vec4(sum / total, 1.0);
    gl_FragData[1] = vec4(0.0, 0.0, 0.0, 1.0);
}
