#version 150 compatibility
// The middle cube: dark sea glass with glowing cyan edges that flare with
// each bounce. Writes colour, view-space normal and the option mask
// (r: solid geometry, g: glow).
in vec3 v_normal;
in vec3 v_position;
in vec3 v_local;
flat in vec3 v_key;
flat in float v_pulse;

const vec3 kGlass = vec3(0.03, 0.16, 0.22);
const vec3 kMoon = vec3(0.72, 0.90, 0.95);
const vec3 kEdge = vec3(0.50, 0.91, 0.94);    // #7fe8f0
const vec3 kRim = vec3(0.18, 0.77, 0.84);     // #2ec4d6

void main()
{
    vec3 n = normalize(v_normal);
    vec3 toEye = normalize(-v_position);
    float facing = max(dot(n, toEye), 0.0);

    // On a face one coordinate is at 1; the next largest tells how near an
    // edge the point is.
    vec3 a = abs(v_local) * 2.0;
    float second = max(min(a.x, a.y), min(max(a.x, a.y), a.z));
    float edge = smoothstep(0.80, 0.97, second);

    float key = max(dot(n, v_key), 0.0);
    float highlight = pow(max(dot(n, normalize(v_key + toEye)), 0.0), 64.0);
    float rim = pow(1.0 - facing, 2.0);

    float glow = edge * (0.55 + 0.45 * v_pulse);
    vec3 colour = kGlass * (0.35 + 0.9 * key) + kMoon * highlight * 0.6 + kRim * rim * (0.4 + 0.4 * v_pulse);
    colour += kEdge * glow * 1.2;

    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(n * 0.5 + 0.5, 1.0);
    gl_FragData[2] = vec4(1.0, glow, 0.0, 1.0);
}
