#version 150 compatibility
// A background cube: a dark body faintly lit from above by the sky, edges
// that glow in the sky's colour and flare on the beat, and haze of the sky's
// colour with distance. Writes colour, the object mask (1 on cubes) and an
// empty option mask.
uniform float uni_beat;

in vec3 v_normal;
in vec3 v_toEye;
in vec3 v_local;
in float v_depth;
flat in vec3 v_sky;
flat in vec3 v_ground;
flat in float v_shade;

const float kHazeStart = 400.0;
const float kHazeDensity = 1.0 / 1600.0;

void main()
{
    vec3 n = normalize(v_normal);
    vec3 toEye = normalize(v_toEye);
    float facing = max(dot(n, toEye), 0.0);
    float beat = clamp(uni_beat, 0.0, 1.0);

    // On a face one coordinate is at 1; the next largest tells how near an
    // edge the point is.
    vec3 a = abs(v_local) * 2.0;
    float second = max(min(a.x, a.y), min(max(a.x, a.y), a.z));
    float edge = smoothstep(0.86, 0.985, second);

    // Light from above: on the top faces, and on the upper part of the sides.
    float skyLight = 0.5 + 0.5 * n.y;
    float fall = 0.75 + 0.5 * (v_local.y + 0.5) * (1.0 - abs(n.y));
    float rim = pow(1.0 - facing, 3.0);
    vec3 colour = (v_ground * (0.8 + 0.4 * skyLight) + v_sky * (0.05 + 0.1 * skyLight)) * (v_shade * fall);
    colour += v_sky * (rim * 0.2 + edge * (0.22 + 0.5 * beat));

    // Far cubes sink into the water's own colour.
    float haze = 1.0 - exp2(-max(v_depth - kHazeStart, 0.0) * kHazeDensity);
    colour = mix(colour, mix(v_ground, v_sky, 0.25) * 0.9, haze * 0.85);

    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(1.0);
    gl_FragData[2] = vec4(0.0);
}
