#version 150 compatibility
// The frame on the screen: the main scene darkened by its ambient occlusion
// (faded out with the depth term), cross-faded from the intro by
// "uni_f_mix1" and overlaid by the outro by "uni_f_mix2" (the outro's alpha
// says how much of the scene it covers: the climax plays on under the
// credits). The cross-fades follow
// depth a little: the scene surfaces from the intro near things first and
// sinks into the outro far things first. A dither of half a level keeps the
// dark gradients free of bands.
uniform sampler2D uni_smp_intro;
uniform sampler2D uni_smp_main;
uniform sampler2D uni_smp_outro;
uniform sampler2D uni_smp_ssao;
uniform float uni_f_mix1;
uniform float uni_f_mix2;

in vec2 v_intro;
in vec2 v_main;
in vec2 v_outro;
in vec2 v_ssao;

float Dither(vec2 pixel)
{
    ivec2 i = ivec2(pixel);
    int n = i.x * 1973 + i.y * 9277;
    n = (n << 13) ^ n;
    n = n * (n * n * 15731 + 789221) + 1376312589;
    return float(n & 0xffff) / 65535.0 - 0.5;
}

void main()
{
    // The occlusion target holds four rotations in 2 x 2 tiles: one bilinear
    // tap on a texel corner averages a tile.
    vec2 texel = 1.0 / vec2(textureSize(uni_smp_ssao, 0));
    vec4 occlusion = texture(uni_smp_ssao, v_ssao - 0.5 * texel);
    float depthTerm = occlusion.a;

    vec3 colour = texture(uni_smp_main, v_main).rgb * mix(occlusion.r, 1.0, depthTerm);
    if (uni_f_mix1 < 1.0) {
        float surfaced = clamp(uni_f_mix1 * 1.3 - 0.3 * depthTerm, 0.0, 1.0);
        colour = mix(texture(uni_smp_intro, v_intro).rgb, colour, surfaced);
    }
    if (uni_f_mix2 > 0.0) {
        vec4 outro = texture(uni_smp_outro, v_outro);
        float sunk = clamp(uni_f_mix2 * 1.3 - 0.3 * (1.0 - depthTerm), 0.0, 1.0);
        colour = mix(colour, outro.rgb, sunk * outro.a);
    }
    gl_FragColor = vec4(colour + Dither(gl_FragCoord.xy) / 255.0, 1.0);
}
