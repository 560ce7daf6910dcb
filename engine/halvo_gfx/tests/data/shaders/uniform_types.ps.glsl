#version 150 compatibility
uniform float u_float;
uniform vec2 u_vec2;
uniform vec3 u_vec3;
uniform vec4 u_vec4;
uniform int u_int;
uniform ivec2 u_ivec2;
uniform ivec3 u_ivec3;
uniform ivec4 u_ivec4;
uniform sampler2D tex_color;
uniform samplerCube tex_cube;
uniform sampler2DShadow tex_shadow;
uniform samplerBuffer particle_data_buffer;

in vec4 v_color;
in vec2 v_uv;

void main()
{
    vec4 colour = v_color + u_vec4 + vec4(u_vec2, u_vec3.xy) + vec4(u_float + u_vec3.z);
    colour += vec4(ivec4(u_int, u_ivec2, 0) + ivec4(u_ivec3, 0) + u_ivec4);
    colour += texture(tex_color, v_uv) + texture(tex_cube, vec3(v_uv, 1.0));
    colour += vec4(texture(tex_shadow, vec3(v_uv, 0.5)));
    colour += texelFetch(particle_data_buffer, int(v_uv.x * 3.0));
    gl_FragColor = colour;
}
