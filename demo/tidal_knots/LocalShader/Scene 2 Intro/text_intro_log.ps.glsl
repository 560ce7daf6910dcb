#version 150 compatibility
// The intro's logo over the intro's background: blending is off, so the pass
// draws the background itself under the logo's soft glow (IntroBackground is
// the background pass's own) and leaves the pixels the logo does not reach.
// "uni_interpolator" fades it in, and a band of light sweeps across the knot
// on the way.
uniform sampler2D uni_tex_smp;
uniform sampler2D uni_smp_mask1;
uniform float uni_interpolator;

in vec2 v_uv;
noperspective in vec2 v_screen;

const vec3 kGround = vec3(0.020, 0.063, 0.122);    // #05101f
const vec3 kDeepBlue = vec3(0.043, 0.145, 0.271);  // #0b2545
const vec3 kTeal = vec3(0.180, 0.769, 0.839);      // #2ec4d6
const vec3 kCyan = vec3(0.498, 0.910, 0.941);      // #7fe8f0
const float kAspect = 16.0 / 9.0;
const vec2 kLogoCentre = vec2(0.5, 0.70);

float Hash(vec2 cell)
{
    ivec2 i = ivec2(cell);
    int n = i.x * 1973 + i.y * 9277;
    n = (n << 13) ^ n;
    n = n * (n * n * 15731 + 789221) + 1376312589;
    return float(n & 0x7fffffff) / 2147483648.0;
}

vec3 IntroBackground(vec2 uv)
{
    vec3 mask = texture(uni_smp_mask1, uv).rgb;
    float water = mask.r;

    // Sky: the ground colour, a little deeper blue towards the horizon, and
    // the light from the upper left.
    float aboveHorizon = clamp((uv.y - 0.52) / 0.48, 0.0, 1.0);
    vec3 colour = mix(kDeepBlue * 0.62, kGround * 0.55, sqrt(aboveHorizon));
    colour += kTeal * 0.045 * mask.b * mask.b;

    // The glow around the logo.
    vec2 fromLogo = (uv - kLogoCentre) * vec2(kAspect, 1.0);
    colour += kTeal * 0.085 * exp(-dot(fromLogo, fromLogo) * 7.0);

    // Stars, one at most per cell, sparse, in the upper sky only.
    vec2 grid = uv * vec2(kAspect, 1.0) * 70.0;
    vec2 cell = floor(grid);
    float h = Hash(cell);
    vec2 star = cell + 0.2 + 0.6 * vec2(h, fract(h * 31.7));
    float shine = step(0.9, fract(h * 57.3)) * (0.35 + 0.65 * fract(h * 213.1));
    float starLight = shine * exp(-dot(grid - star, grid - star) * 90.0);
    colour += kCyan * starLight * smoothstep(0.62, 0.85, uv.y) * (1.0 - water);

    // The water below the horizon, seen in perspective: crests of two wave
    // trains on the sea plane catch the light where the mask lights the
    // water, most in a path under the logo. Each train fades out where its
    // crests crowd closer than a few pixels (towards the horizon).
    float below = max(0.58 - uv.y, 0.004);
    vec2 sea = vec2((uv.x - 0.5) * kAspect, 1.0) / below;
    float crowding = 1.0 / (below * below * 1080.0);  // sea.y per pixel
    float swell = sin(sea.y * 6.0 + 1.7 * sin(sea.x * 1.3 + sea.y * 0.5));
    float chop = sin(sea.y * 15.0 + 2.7 * sea.x + 2.0 * swell);
    swell *= 1.0 - smoothstep(0.3, 0.9, 6.0 * crowding);
    chop *= 1.0 - smoothstep(0.3, 0.9, 15.0 * crowding);
    float dashes = 0.6 + 0.4 * sin(sea.x * 7.0 + sea.y * 2.0);
    float glint = smoothstep(0.45, 1.0, 0.55 * swell + 0.45 * chop) * dashes;
    float across = (uv.x - kLogoCentre.x) * kAspect / (0.08 + 0.9 * below);
    float path = exp(-across * across);
    colour += kDeepBlue * 0.5 * water + kTeal * 0.07 * water * water;
    colour += kCyan * glint * water * (0.06 + 0.3 * path);

    // The crest of the wave: a soft line along the mask's upper edge.
    colour += kCyan * 0.16 * water * (1.0 - water) * smoothstep(0.62, 0.5, uv.y);

    // Darker towards the corners.
    vec2 centred = (uv - 0.5) * vec2(kAspect, 1.0);
    colour *= 1.0 - 0.45 * smoothstep(0.45, 1.15, length(centred));
    return colour;
}

void main()
{
    float t = clamp(uni_interpolator, 0.0, 1.0);
    vec4 image = texture(uni_tex_smp, v_uv);
    float alpha = image.a * smoothstep(0.0, 0.85, t);
    if (alpha < 0.002) discard;

    // The sweep crosses the knot diagonally while t runs from 0.3 to 0.95.
    float along = dot(v_uv, vec2(0.6, 0.4)) - mix(-0.25, 1.25, clamp((t - 0.3) / 0.65, 0.0, 1.0));
    float sweep = exp(-along * along * 160.0) * smoothstep(0.6, 1.0, image.a);
    vec3 logo = image.rgb + vec3(0.55, 0.85, 0.9) * sweep;

    vec3 colour = mix(IntroBackground(v_screen), logo, alpha);
    gl_FragData[0] = vec4(colour, 1.0);
    gl_FragData[1] = vec4(colour, 1.0);
    gl_FragData[2] = vec4(0.0);
}
