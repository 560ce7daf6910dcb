#version 150 compatibility
// Does not compile: an undeclared name on one line, a missing semicolon on the next.
void main()
{
    gl_FragColor = undeclared_colour;
    float x = 1.0
}
