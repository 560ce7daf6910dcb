#version 150 compatibility
// The small cubes that crawl over the sphere around the middle cube, one
// instance per particle (three texels each: position and size, velocity and
// life fraction, rotation quaternion x, y, z, w). A cube shrinks as it nears
// the point the swarm crawls towards (size 0 draws nothing) and glows there.
uniform samplerBuffer particle_data_buffer;

out vec3 v_normal;          // view space
out vec3 v_position;        // view space
flat out vec3 v_albedo;
flat out float v_glow;
flat out vec3 v_key;

const float kFill = 0.85;
// A cube on the sphere is at most 4 across (|D|^2 / R^2 for the far side); a
// cube the step flung off the sphere draws no larger.
const float kLargest = 4.0;
const vec3 kKeyWorld = vec3(0.32, 0.90, -0.28);

vec3 Rotate(vec4 q, vec3 v)
{
    vec3 t = 2.0 * cross(q.xyz, v);
    return v + q.w * t + cross(q.xyz, t);
}

void main()
{
    int base = 3 * gl_InstanceID;
    vec4 placement = texelFetch(particle_data_buffer, base);
    vec4 rotation = texelFetch(particle_data_buffer, base + 2);
    rotation *= inversesqrt(max(dot(rotation, rotation), 1e-12));

    float size = min(placement.w, kLargest);
    vec3 world = placement.xyz + Rotate(rotation, gl_Vertex.xyz * (size * kFill));
    vec4 view = gl_ModelViewMatrix * vec4(world, 1.0);
    gl_Position = gl_ProjectionMatrix * view;
    v_position = view.xyz;
    v_normal = gl_NormalMatrix * Rotate(rotation, gl_Normal);
    v_key = normalize(gl_NormalMatrix * kKeyWorld);

    // Sizes run from 0 at the target to 4 on the far side of the sphere.
    float nearness = 1.0 - smoothstep(0.2, 2.2, size);
    v_albedo = mix(vec3(0.10, 0.40, 0.50), vec3(0.22, 0.66, 0.74), nearness);
    v_glow = nearness * nearness;
}
