#version 150 compatibility
// The musician's credit as a layer of the outro: its colour, and its alpha as
// the layer's coverage (the final pass lays the outro over the main scene by
// it). Pixels the credit does not reach keep the background pass's.
// "uni_blend" fades it in and out.
uniform sampler2D uni_tex_smp;
uniform float uni_blend;

in vec2 v_uv;

// The outro's ground as the background pass lays it over the scene (its
// colour and coverage away from the glow): the image goes over it, so the
// scene is dimmed around the letters as everywhere else.
const vec3 kLayerGround = vec3(0.015, 0.045, 0.09);
const float kLayerCover = 0.3;

vec4 OverGround(vec3 colour, float alpha)
{
    float cover = alpha + kLayerCover * (1.0 - alpha);
    return vec4((colour * alpha + kLayerGround * kLayerCover * (1.0 - alpha)) / cover, cover);
}

void main()
{
    vec4 image = texture(uni_tex_smp, v_uv);
    float alpha = image.a * smoothstep(0.0, 1.0, clamp(uni_blend, 0.0, 1.0));
    if (alpha < 0.002) discard;
    gl_FragData[0] = OverGround(image.rgb, alpha);
}
