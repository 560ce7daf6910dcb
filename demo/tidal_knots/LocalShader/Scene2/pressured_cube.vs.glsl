#version 150 compatibility
// The middle cube: the unit cube stood on a corner and bounced in size by
// uni_bounce (3 at rest, 6 at the top of a bounce, twice a second).
uniform float uni_bounce;

out vec3 v_normal;          // view space
out vec3 v_position;        // view space
out vec3 v_local;           // position on the unit cube, -0.5..0.5
flat out vec3 v_key;
flat out float v_pulse;     // 0 at rest, 1 at the top of a bounce

// Three units of cube per unit of bounce: 9 to 18 units across, inside the
// sphere of crawling cubes (radius 25).
const float kScale = 3.0;
// Stood on a corner: 35.26 degrees about x, then 45 degrees about y.
const vec4 kTilt = vec4(0.27984, 0.36470, -0.11591, 0.88048);
const vec3 kKeyWorld = vec3(0.32, 0.90, -0.28);

vec3 Rotate(vec4 q, vec3 v)
{
    vec3 t = 2.0 * cross(q.xyz, v);
    return v + q.w * t + cross(q.xyz, t);
}

void main()
{
    vec3 local = Rotate(kTilt, gl_Vertex.xyz * (uni_bounce * kScale));
    vec4 view = gl_ModelViewMatrix * vec4(local, 1.0);
    gl_Position = gl_ProjectionMatrix * view;
    v_position = view.xyz;
    v_normal = gl_NormalMatrix * Rotate(kTilt, gl_Normal);
    v_local = gl_Vertex.xyz;
    v_key = normalize(gl_NormalMatrix * kKeyWorld);
    v_pulse = clamp((uni_bounce - 3.0) / 3.0, 0.0, 1.0);
}
