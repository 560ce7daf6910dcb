#version 150 compatibility
// The gliding sprites: one camera-facing quad per particle (three texels
// each: position and mass, velocity and life fraction, rotation quaternion
// x, y, z, w). The quaternion turns the sprite about the line of sight, the
// mass scales it (0 draws nothing), and the life fraction fades it in after
// birth and out before death.
uniform samplerBuffer particle_data_buffer;

out vec2 v_uv;
flat out vec4 v_colour;     // rgb: light, a: strength

// Half the sprite's width in world units for a mass of 1.
const float kRadius = 15.0;

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
    float life = texelFetch(particle_data_buffer, base + 1).w;
    vec4 rotation = texelFetch(particle_data_buffer, base + 2);
    rotation *= inversesqrt(max(dot(rotation, rotation), 1e-12));

    vec2 corner = Rotate(rotation, vec3(gl_Vertex.xy, 0.0)).xy;
    vec4 view = gl_ModelViewMatrix * vec4(placement.xyz, 1.0);
    view.xy += corner * (kRadius * placement.w);
    gl_Position = gl_ProjectionMatrix * view;
    v_uv = gl_Vertex.xy * 0.5 + 0.5;

    float h = Hash(gl_InstanceID);
    float fade = smoothstep(0.0, 0.15, life) * (1.0 - smoothstep(0.75, 1.0, life));
    vec3 light = mix(vec3(0.18, 0.77, 0.84), vec3(0.70, 0.96, 1.00), h * h);
    v_colour = vec4(light, fade * (0.8 + 0.8 * Hash(gl_InstanceID + 31)));
}
