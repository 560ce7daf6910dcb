#version 150 compatibility
// Lights a crawling cube like the lattices, with a brighter rim; cubes near
// the swarm's target burn cyan-white. Writes colour, view-space normal and
// the option mask (r: solid geometry, g: glow).
in vec3 v_normal;
in vec3 v_position;
flat in vec3 v_albedo;
flat in float v_glow;
flat in vec3 v_key;

const vec3 kMoon = vec3(0.72, 0.90, 0.95);
const vec3 kDeepFill = vec3(0.02, 0.06, 0.10);
const vec3 kRim = vec3(0.50, 0.91, 0.94);     // #7fe8f0
const vec3 kHot = vec3(0.85, 0.98, 1.00);
const vec3 kHaze = vec3(0.025, 0.075, 0.135);
const float kHazeStart = 500.0;
const float kHazeDensity = 1.0 / 1800.0;

void main()
{
    vec3 n = normalize(v_normal);
    vec3 toEye = normalize(-v_position);
    float facing = max(dot(n, toEye), 0.0);

    float key = max(dot(n, v_key), 0.0);
    float fill = 0.5 - 0.5 * dot(n, v_key);
    float rim = pow(1.0 - facing, 2.5);
    float highlight = pow(max(dot(n, normalize(v_key + toEye)), 0.0), 32.0);

    vec3 colour = v_albedo * (kMoon * (0.35 + 0.9 * key) + kDeepFill * fill * 4.0);
    colour += kRim * rim * 0.7 + kMoon * highlight * 0.4;
    colour = mix(colour, kHot, v_glow * 0.8);

    float haze = 1.0 - exp2(-max(v_position.z - kHazeStart, 0.0) * kHazeDensity);
    colour = mix(colour, kHaze, haze);

    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(n * 0.5 + 0.5, 1.0);
    gl_FragData[2] = vec4(1.0, v_glow, 0.0, 1.0);
}
