#version 150 compatibility
uniform sampler2D tex_diffuse;
uniform sampler2D tex_detail;

in vec3 v_normal;
in vec3 v_to_camera;
in vec2 v_uv;

void main()
{
    float light = max(dot(normalize(v_normal), normalize(v_to_camera)), 0.2);
    gl_FragColor = texture(tex_diffuse, v_uv) * texture(tex_detail, v_uv * 4.0) * light;
}
