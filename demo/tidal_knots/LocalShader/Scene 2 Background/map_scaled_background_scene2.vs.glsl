#version 150 compatibility
// The sky behind Scene 2: a full-screen quad. Each corner carries the
// direction in which the background camera sees it (world space), so the
// layers of the sky turn with the camera.
out vec3 v_ray;
out vec2 v_screen;

void main()
{
    gl_Position = vec4(gl_Vertex.xy, 0.0, 1.0);
    v_screen = gl_Vertex.xy;
    // View space looks along +z; the projection's diagonal undoes the field
    // of view and the aspect. Linear in the corner, so it interpolates.
    vec3 view = vec3(gl_Vertex.x / gl_ProjectionMatrix[0][0], gl_Vertex.y / gl_ProjectionMatrix[1][1], 1.0);
    v_ray = transpose(mat3(gl_ModelViewMatrix)) * view;
}
