#version 150 compatibility
in vec4 v_color;

void main()
{
    gl_FragColor = v_color;
}
