#version 150 compatibility
// Ambient occlusion of the main scene, written where the scene drew
// something (depth below the far plane); the depth-to-alpha pass after it
// writes the other pixels of the same target, so together they fill it once:
//   r  how open the point is (1 open .. 0 closed in), on solid geometry (the
//      option mask's red); 1 on everything else,
//   a  the depth term: 0 up to 500 units from the camera, rising to 1 at
//      1500 (the scale "PostDepthScale" gives the other pass).
// Eight taps in a disc whose size is a fixed distance in the scene, turned
// per pixel by one of four rotations from the noise texture (a 2 x 2 tile),
// so that the final pass's one bilinear tap on a texel corner averages all
// four: 32 directions for the price of eight taps and no blur pass.
uniform sampler2DShadow depth;
uniform sampler2D option_mask;
uniform sampler2D rand;
uniform float uni_f_screen_size_x;
uniform float uni_f_screen_size_y;

in vec2 v_uv;
in vec2 v_screen;

// Scene 2's camera.
const float kNear = 10.0;
const float kFar = 10000.0;
const float kTanHalfFov = 0.41421356;  // tan(pi / 8)
const float kDepthScale = 10.0;        // the value of "PostDepthScale"
// The disc's radius in scene units and the strength of the darkening.
const float kRadius = 6.0;
const float kStrength = 1.6;

const vec2 kDisc[8] = vec2[8](vec2(0.250, 0.000), vec2(-0.319, 0.292), vec2(0.049, -0.557), vec2(0.402, 0.525),
                              vec2(-0.739, -0.131), vec2(0.700, -0.445), vec2(-0.234, 0.870), vec2(-0.446, -0.859));

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
    vec2 size = vec2(uni_f_screen_size_x, uni_f_screen_size_y);
    vec2 toView = vec2(kTanHalfFov * size.x / size.y, kTanHalfFov);
    float d = texture(depth, vec3(v_screen, 0.0));
    float z = ViewDepth(d);
    vec3 p = vec3((v_screen * 2.0 - 1.0) * toView * z, z);
    // The surface's normal, turned towards the camera.
    vec3 n = normalize(cross(dFdx(p), dFdy(p)));
    if (dot(n, p) > 0.0) n = -n;
    if (d >= 1.0) discard;

    float open = 1.0;
    if (texture(option_mask, v_uv).r > 0.5) {
        vec3 noise = texture(rand, (mod(floor(gl_FragCoord.xy), 2.0) + 0.5) / 10.0).rgb;
        vec2 axis = normalize(noise.xy * 2.0 - 1.0 + vec2(1e-4, 0.0));
        mat2 turn = mat2(axis.x, axis.y, -axis.y, axis.x);
        float reach = clamp(kRadius * size.y / (2.0 * kTanHalfFov * z), 3.0, 80.0) * (0.8 + 0.4 * noise.b);
        float bias = 0.05 + 0.001 * z;
        float sum = 0.0;
        for (int i = 0; i < 8; ++i) {
            vec2 uv = (floor(gl_FragCoord.xy + turn * kDisc[i] * reach) + 0.5) / size;
            float zs = ViewDepth(texture(depth, vec3(uv, 0.0)));
            vec3 v = vec3((uv * 2.0 - 1.0) * toView * zs, zs) - p;
            float vv = dot(v, v);
            float nearby = 1.0 - smoothstep(kRadius * kRadius, 4.0 * kRadius * kRadius, vv);
            sum += max(dot(v, n) - bias, 0.0) * kRadius / (vv + 0.01 * kRadius * kRadius) * nearby;
        }
        open = clamp(1.0 - kStrength * sum / 8.0, 0.0, 1.0);
    }
    gl_FragData[0] = vec4(open, 0.0, 0.0, DepthTerm(z, kDepthScale));
}
