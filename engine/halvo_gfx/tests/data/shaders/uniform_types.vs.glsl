#version 150 compatibility
// Every uniform here reaches the output, so the linker keeps it active.
uniform mat4 mat_proj;
uniform mat4 mat_view;
uniform mat4 mat_world;
uniform vec3 vec_cam_pos_ws;
uniform mat2 u_mat2;
uniform mat3 u_mat3;

out vec4 v_color;
out vec2 v_uv;

void main()
{
    vec4 position = mat_proj * mat_view * mat_world * gl_Vertex;
    gl_Position = gl_ModelViewProjectionMatrix * position + vec4(vec_cam_pos_ws, 1.0);
    v_color = vec4(u_mat2 * gl_Color.xy, (u_mat3 * gl_Color.xyz).xy);
    v_uv = (gl_TextureMatrix[0] * gl_MultiTexCoord0).xy;
}
