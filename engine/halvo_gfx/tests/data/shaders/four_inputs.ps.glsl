#version 150 compatibility
// The mean of four inputs.
uniform sampler2D tex_a;
uniform sampler2D tex_b;
uniform sampler2D tex_c;
uniform sampler2D tex_d;

in vec2 v_uv[4];

void main()
{
    vec4 sum = texture(tex_a, v_uv[0]) + texture(tex_b, v_uv[1]) + texture(tex_c, v_uv[2]) + texture(tex_d, v_uv[3]);
    gl_FragColor = sum * 0.25;
}
