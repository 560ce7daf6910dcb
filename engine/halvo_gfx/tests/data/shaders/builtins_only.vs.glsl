#version 150 compatibility
// Reads only built-in state: the program's one active uniform is gl_ModelViewProjectionMatrix.
void main()
{
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
}
