#version 150 compatibility
// A lattice of cubes, one instance per particle. Each particle is three
// texels of the particle buffer: position and size, velocity and life
// fraction, rotation quaternion (x, y, z, w). The unit cube is scaled by the
// size (a size of 0 collapses it to a point: nothing is drawn) and turned by
// the quaternion. Everything that is the same for the whole instance is
// worked out here, once per vertex and without trigonometry; the pixel
// shader only lights.
uniform samplerBuffer particle_data_buffer;

out vec3 v_normal;          // view space
out vec3 v_position;        // view space (z grows away from the eye)
flat out vec3 v_albedo;
flat out float v_glow;      // 0..1, the lit cubes of the lattice
flat out vec3 v_key;        // direction to the key light, view space

// The cubes keep a gap between them, so the lattice reads as a lattice.
const float kFill = 0.8;
// Moonlight from above the water, slightly from the side (world space).
const vec3 kKeyWorld = vec3(0.32, 0.90, -0.28);

vec3 Rotate(vec4 q, vec3 v)
{
    vec3 t = 2.0 * cross(q.xyz, v);
    return v + q.w * t + cross(q.xyz, t);
}

// A cheap per-instance hash in [0, 1).
float Hash(int n)
{
    n = (n << 13) ^ n;
    n = n * (n * n * 15731 + 789221) + 1376312589;
    return float(n & 0x7fffffff) / 2147483648.0;
}

void main()
{
    int base = 3 * gl_InstanceID;
    vec4 placement = texelFetch(particle_data_buffer, base);
    vec4 rotation = texelFetch(particle_data_buffer, base + 2);
    // A zero quaternion (a particle never turned) stays zero and leaves the
    // cube as it is.
    rotation *= inversesqrt(max(dot(rotation, rotation), 1e-12));

    vec3 world = placement.xyz + Rotate(rotation, gl_Vertex.xyz * (placement.w * kFill));
    vec4 view = gl_ModelViewMatrix * vec4(world, 1.0);
    gl_Position = gl_ProjectionMatrix * view;
    v_position = view.xyz;
    v_normal = gl_NormalMatrix * Rotate(rotation, gl_Normal);
    v_key = normalize(gl_NormalMatrix * kKeyWorld);

    // The upper lattice in teal, the lower one in a deeper sea blue; a few
    // cubes of each carry a light of their own.
    float h = Hash(gl_InstanceID);
    float upper = smoothstep(-40.0, 40.0, placement.y);
    vec3 albedo = mix(vec3(0.07, 0.17, 0.38), vec3(0.08, 0.36, 0.42), upper);
    v_albedo = albedo * (0.8 + 0.4 * Hash(gl_InstanceID + 7919));
    v_glow = smoothstep(0.93, 0.99, h);
}
