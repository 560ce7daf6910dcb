#version 150 compatibility
// The main scene under its three overlays: a light leak (teal, cyan and a
// faint coral glowing in from the edges, its strength in alpha) laid on like
// light, the vignette (black, alpha rising to the corners) darkening the
// edges, and film grain (around mid-grey) at one grain texel per pixel.
uniform sampler2D uni_smp_base;
uniform sampler2D uni_smp_overlay;
uniform sampler2D uni_smp_overlay2;
uniform sampler2D uni_smp_overlay3;

in vec2 v_base;
in vec2 v_vignette;
in vec2 v_leak;

void main()
{
    vec3 colour = texture(uni_smp_base, v_base).rgb;
    vec4 leak = texture(uni_smp_overlay3, v_leak);
    colour += leak.rgb * (leak.a * 0.22) * (1.0 - colour);
    colour *= 1.0 - 0.8 * texture(uni_smp_overlay2, v_vignette).a;
    float grain = texture(uni_smp_overlay, gl_FragCoord.xy / vec2(textureSize(uni_smp_overlay, 0))).r - 0.5;
    colour += grain * 0.35 * (0.3 + colour);
    gl_FragData[0] = vec4(colour, 1.0);
}
