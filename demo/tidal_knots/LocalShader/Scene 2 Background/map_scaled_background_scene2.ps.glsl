#version 150 compatibility
// The sea at night seen from inside: dark water below, the sky's light
// above, layered from the four tileable backgrounds laid round the camera
// like a cylinder:
//   gb1  caustics   - light playing under the surface, strongest above
//   gb2  nebula     - slow clouds of colour in the water
//   gb3  wave bands - bands of light drifting through
//   gb4  plankton   - motes that flare on the beat
// uni_beat pulses the light; uni_mix_color_1_2 turns the sky from sea blue
// to the climax's coral. Writes colour, an empty object mask and an empty
// option mask.
uniform sampler2D uni_smp_gb1;
uniform sampler2D uni_smp_gb2;
uniform sampler2D uni_smp_gb3;
uniform sampler2D uni_smp_gb4;
uniform float uni_beat;
uniform float uni_mix_color_1_2;
uniform vec3 uni_bottom_color;
uniform vec3 uni_sky_color_1;
uniform vec3 uni_sky_color_2;

in vec3 v_ray;
in vec2 v_screen;

const float kInverseTwoPi = 0.15915494;
const vec3 kLuma = vec3(0.299, 0.587, 0.114);
const vec3 kMote = vec3(0.50, 0.91, 0.94);    // #7fe8f0

void main()
{
    vec3 d = normalize(v_ray);
    // Around: whole turns of the cylinder, so the tiles meet seamlessly.
    float around = atan(d.x, d.z) * kInverseTwoPi;
    // Up: the tangent of the elevation, held short of the zenith.
    float up = d.y / max(length(d.xz), 0.25);
    float mixing = clamp(uni_mix_color_1_2, 0.0, 1.0);
    float beat = clamp(uni_beat, 0.0, 1.0);

    // The palette: the sky's blue turned towards teal, the climax's red
    // towards coral, the bottom towards the sea's blue-black.
    vec3 calm = mix(uni_sky_color_1, vec3(0.18, 0.77, 0.84), 0.65);
    vec3 climax = mix(uni_sky_color_2, vec3(1.00, 0.42, 0.35), 0.75);
    vec3 sky = mix(calm, climax, mixing);
    vec3 ground = mix(uni_bottom_color, vec3(0.020, 0.063, 0.122), 0.5);

    // Dark water below, the sky's light growing towards the surface.
    float height = smoothstep(-0.6, 0.9, d.y);
    vec3 colour = mix(ground * 0.5, mix(ground, sky, 0.3), height) * 0.6;

    // Clouds in the water, their hue turning with the sky.
    vec3 nebula = texture(uni_smp_gb2, vec2(around * 2.0, up * 0.35 + 0.3)).rgb;
    float cloud = dot(nebula, kLuma);
    colour += mix(nebula, cloud * sky * 1.5, 0.3 + 0.25 * mixing) * 0.55;

    // Bands of light drifting through.
    float band = dot(texture(uni_smp_gb3, vec2(around * 3.0, up * 0.5)).rgb, kLuma);
    colour += sky * band * 0.22;

    // Caustics, bright towards the surface, faint in the deep.
    float caustic = dot(texture(uni_smp_gb1, vec2(around * 4.0, up * 1.2)).rgb, kLuma);
    float surface = mix(0.12, 0.55, smoothstep(-0.4, 0.7, d.y));
    colour += sky * caustic * surface * (0.6 + 0.7 * beat);

    // Motes everywhere, flaring on the beat.
    float mote = dot(texture(uni_smp_gb4, vec2(around * 6.0, up * 2.5)).rgb, kLuma);
    colour += mix(kMote, sky, 0.3 + 0.5 * mixing) * mote * (0.35 + 0.9 * beat);

    // The beat breathes through the whole sky; the corners stay dark.
    colour *= (1.0 + 0.15 * beat) * (1.0 - 0.18 * dot(v_screen, v_screen));

    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(0.0);
    gl_FragData[2] = vec4(0.0);
}
