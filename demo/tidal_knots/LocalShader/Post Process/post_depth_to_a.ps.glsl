#version 150 compatibility
// The depth term for the pixels where the main scene drew nothing (depth at
// the far plane): the ambient-occlusion pass before it wrote the others, so
// together they fill the target once. r 1 (nothing to occlude), a the depth
// term: 0 up to 500 units from the camera, rising by "uni_scale_f" / 10000
// per unit (the far plane gives 1).
uniform sampler2DShadow smp_depth;
uniform float uni_scale_f;

in vec2 v_uv;
in vec2 v_screen;

// Scene 2's camera.
const float kNear = 10.0;
const float kFar = 10000.0;

// The view depth of a depth-buffer value (the projection maps near .. 2 far).
float ViewDepth(float d)
{
    return 2.0 * kNear * kFar / (kFar - (kFar - kNear) * (2.0 * d - 1.0));
}

float DepthTerm(float z, float scale)
{
    return clamp((z - 500.0) * scale / kFar, 0.0, 1.0);
}

void main()
{
    float d = texture(smp_depth, vec3(v_screen, 0.0));
    if (d < 1.0) discard;
    gl_FragData[0] = vec4(1.0, 0.0, 0.0, DepthTerm(ViewDepth(d), uni_scale_f));
}
