#version 150 compatibility
in vec4 g_color;

void main()
{
    gl_FragColor = g_color;
}
