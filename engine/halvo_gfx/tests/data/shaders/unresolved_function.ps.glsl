#version 150 compatibility
// Compiles, but no stage defines the function it calls, so linking fails.
vec4 shade(vec4 colour);

in vec4 v_color;

void main()
{
    gl_FragColor = shade(v_color);
}
