#version 150 compatibility
// A different colour into each of three render targets; the third is a float
// target and keeps values outside [0, 1].
void main()
{
    gl_FragData[0] = vec4(1.0, 0.0, 0.0, 1.0);
    gl_FragData[1] = vec4(0.0, 1.0, 0.0, 1.0);
    gl_FragData[2] = vec4(0.25, 2.5, -1.0, 1.0);
}
