#version 150 compatibility
// Slow swells of colour across the screen, moved by the frame time.
uniform float uni_time;
in vec2 v_uv;

void main()
{
    float swell = 0.5 + 0.5 * sin(12.0 * v_uv.x + 3.0 * sin(4.0 * v_uv.y + uni_time) + uni_time);
    vec3 deep = vec3(0.05, 0.10, 0.22);
    vec3 crest = vec3(0.35, 0.70, 0.85);
    gl_FragColor = vec4(mix(deep, crest, swell * v_uv.y), 1.0);
}
