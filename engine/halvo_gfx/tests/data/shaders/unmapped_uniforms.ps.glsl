#version 150 compatibility
// Two uniforms of types the engine does not map (uint, non-square matrix)
// between two it maps.
uniform float u_scale;
uniform uint u_count;
uniform mat2x3 u_skew;
uniform vec4 u_tint;

in vec4 v_color;

void main()
{
    vec3 skewed = u_skew * v_color.xy;
    gl_FragColor = u_tint * u_scale + vec4(skewed, float(u_count));
}
