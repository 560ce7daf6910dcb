#version 150 compatibility
// The group name and the demo title of the outro on one quad, as one layer:
// colour, and alpha as the layer's coverage (the final pass lays the outro
// over the main scene by it). Pixels neither image reaches keep the
// background pass's. "uni_blend_group" and "uni_blend_demo" fade the two
// images; the title sweeps in from the left.
uniform sampler2D uni_smp_group;
uniform sampler2D uni_smp_demo;
uniform float uni_blend_group;
uniform float uni_blend_demo;

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
    vec4 groupImage = texture(uni_smp_group, v_uv);
    vec4 demoImage = texture(uni_smp_demo, v_uv);
    float d = clamp(uni_blend_demo, 0.0, 1.0);
    float sweep = 1.0 - smoothstep(d * 1.3 - 0.3, d * 1.3, v_uv.x);
    float groupAlpha = groupImage.a * smoothstep(0.0, 1.0, clamp(uni_blend_group, 0.0, 1.0));
    float demoAlpha = demoImage.a * sweep * smoothstep(0.0, 0.8, d);
    if (max(groupAlpha, demoAlpha) < 0.002) discard;

    // The title over the group name, as one layer.
    float alpha = demoAlpha + groupAlpha * (1.0 - demoAlpha);
    vec3 colour = (demoImage.rgb * demoAlpha + groupImage.rgb * groupAlpha * (1.0 - demoAlpha)) / alpha;
    gl_FragData[0] = OverGround(colour, alpha);
}
