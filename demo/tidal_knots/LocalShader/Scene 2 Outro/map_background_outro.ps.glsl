#version 150 compatibility
// The outro's background: light rising from the deep. The mask's green
// channel is the glow from below the bottom centre, with faint rings; rays fan
// up from its source; its heart turns warm coral (the outro begins inside the
// climax). The blue channel lays a soft light in from the upper left.
// The outro lies over the main scene (the climax plays under the credits):
// alpha is how much of the scene it covers, most in the glow from below; the
// text passes write their images over it with their own alpha.
uniform sampler2D uni_smp_mask1;

in vec2 v_uv;

const vec3 kGround = vec3(0.020, 0.063, 0.122);    // #05101f
const vec3 kDeepBlue = vec3(0.043, 0.145, 0.271);  // #0b2545
const vec3 kTeal = vec3(0.180, 0.769, 0.839);      // #2ec4d6
const vec3 kCyan = vec3(0.498, 0.910, 0.941);      // #7fe8f0
const vec3 kCoral = vec3(1.000, 0.420, 0.353);     // #ff6b5a
const float kAspect = 16.0 / 9.0;

vec3 OutroBackground(vec2 uv)
{
    vec3 mask = texture(uni_smp_mask1, uv).rgb;
    float glow = mask.g;
    float glow2 = glow * glow;

    // The ground, darkest at the top, and the light from the upper left.
    vec3 colour = mix(kGround * 0.85, kGround * 0.45, uv.y);
    colour += kDeepBlue * 0.35 * mask.b * mask.b;

    // Rays fanning up from a source below the bottom centre.
    vec2 fromSource = (uv - vec2(0.5, -0.12)) * vec2(kAspect, 1.0);
    float angle = atan(fromSource.x, fromSource.y);
    float rays = 0.5 + 0.5 * sin(angle * 19.0 + 2.0 * sin(angle * 7.0));
    rays *= rays;

    // The glow: deep blue at its rim, teal, cyan towards the core, a warm heart.
    colour += kDeepBlue * 0.55 * glow;
    colour += kTeal * (0.09 + 0.07 * rays) * glow2;
    colour += kCyan * 0.06 * glow2 * glow2;
    colour += kCoral * 0.07 * glow2 * glow2 * glow;

    // Darker towards the upper corners.
    vec2 centred = (uv - vec2(0.5, 0.35)) * vec2(kAspect, 1.0);
    colour *= 1.0 - 0.4 * smoothstep(0.5, 1.3, length(centred));
    return colour;
}

void main()
{
    // Alpha: how much of the main scene the outro covers.
    float glow = texture(uni_smp_mask1, v_uv).g;
    gl_FragData[0] = vec4(OutroBackground(v_uv), clamp(0.3 + 0.55 * glow * glow, 0.0, 1.0));
}
