#version 150 compatibility
// Instanced particles: three RGBA32F texels per particle at 3 * gl_InstanceID,
// (position.xyz, size), (velocity.xyz, life fraction), (rotation x, y, z, w).
// The size is the half extent of the particle's square; the velocity is drawn
// as its colour, scaled by the rotation's w.
uniform samplerBuffer particle_data_buffer;

out vec4 v_color;

void main()
{
    vec4 placement = texelFetch(particle_data_buffer, 3 * gl_InstanceID);
    vec4 motion = texelFetch(particle_data_buffer, 3 * gl_InstanceID + 1);
    vec4 rotation = texelFetch(particle_data_buffer, 3 * gl_InstanceID + 2);
    gl_Position = vec4(placement.xy + gl_Vertex.xy * placement.w, 0.0, 1.0);
    v_color = vec4(motion.xyz * rotation.w, 1.0);
}
