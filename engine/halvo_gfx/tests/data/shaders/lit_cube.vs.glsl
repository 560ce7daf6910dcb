#version 150 compatibility
// A lit, textured mesh placed by the scene's three matrices; the light comes
// from the camera position.
uniform mat4 mat_proj;
uniform mat4 mat_view;
uniform mat4 mat_world;
uniform vec3 vec_cam_pos_ws;

out vec3 v_normal;
out vec3 v_to_camera;
out vec2 v_uv;

void main()
{
    vec4 world = mat_world * gl_Vertex;
    gl_Position = mat_proj * mat_view * world;
    v_normal = mat3(mat_world) * gl_Normal;
    v_to_camera = vec_cam_pos_ws - world.xyz;
    v_uv = gl_Vertex.xy * 0.5 + 0.5;
}
