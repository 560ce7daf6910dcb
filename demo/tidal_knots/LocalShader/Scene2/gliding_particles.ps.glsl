#version 150 compatibility
// A soft sprite whose strength is the luminance of the alpha sprite, added
// onto the scene (blending: source alpha, one). The normal and option
// targets receive nothing: their alpha is 0, so the blend leaves them.
uniform sampler2D smp_particle;

in vec2 v_uv;
flat in vec4 v_colour;

void main()
{
    float strength = dot(texture(smp_particle, v_uv).rgb, vec3(0.299, 0.587, 0.114));
    // Squared, the strength fades out well before the quad's edge.
    float alpha = min(strength * strength * v_colour.a, 1.0);
    // The transparent fringe writes no depth that would cut the sprites
    // behind it.
    if (alpha < 0.01) discard;
    gl_FragData[0] = vec4(v_colour.rgb, alpha);
    gl_FragData[1] = vec4(0.0);
    gl_FragData[2] = vec4(0.0);
}
