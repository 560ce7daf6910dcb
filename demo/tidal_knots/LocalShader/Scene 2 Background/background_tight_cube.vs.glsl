#version 150 compatibility
// The large cubes drifting behind Scene 2, one instance per particle (three
// texels each: position and size, velocity and life fraction, rotation
// quaternion x, y, z, w); a size of 0 draws nothing. The sky's colours are
// graded into the demo's palette here, once per vertex.
uniform samplerBuffer particle_data_buffer;
uniform float uni_mix_color_1_2;
uniform vec3 uni_bottom_color;
uniform vec3 uni_sky_color_1;
uniform vec3 uni_sky_color_2;

out vec3 v_normal;          // world space
out vec3 v_toEye;           // world space
out vec3 v_local;           // position on the unit cube, -0.5..0.5
out float v_depth;          // view depth
flat out vec3 v_sky;
flat out vec3 v_ground;
flat out float v_shade;

vec3 Rotate(vec4 q, vec3 v)
{
    vec3 t = 2.0 * cross(q.xyz, v);
    return v + q.w * t + cross(q.xyz, t);
}

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
    rotation *= inversesqrt(max(dot(rotation, rotation), 1e-12));

    vec3 world = placement.xyz + Rotate(rotation, gl_Vertex.xyz * placement.w);
    vec4 view = gl_ModelViewMatrix * vec4(world, 1.0);
    gl_Position = gl_ProjectionMatrix * view;
    v_depth = view.z;
    v_normal = Rotate(rotation, gl_Normal);
    v_toEye = gl_ModelViewMatrixInverse[3].xyz - world;
    v_local = gl_Vertex.xyz;

    // The sky: blue turned towards teal, the climax's red towards coral.
    vec3 calm = mix(uni_sky_color_1, vec3(0.18, 0.77, 0.84), 0.65);
    vec3 climax = mix(uni_sky_color_2, vec3(1.00, 0.42, 0.35), 0.75);
    v_sky = mix(calm, climax, clamp(uni_mix_color_1_2, 0.0, 1.0));
    v_ground = mix(uni_bottom_color, vec3(0.020, 0.063, 0.122), 0.5);
    v_shade = 0.75 + 0.5 * Hash(gl_InstanceID);
}
