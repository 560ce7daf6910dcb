#version 150 compatibility
// The main scene at half size. A pixel of this pass covers 2 x 2 texels of
// the source; four bilinear taps half a pixel off its centre fall on texel
// corners and together average the 4 x 4 texels around it.
uniform sampler2D uni_is_tex;
uniform float uni_f_recip_width;   // 1 / this pass's width
uniform float uni_f_recip_height;  // 1 / this pass's height

in vec2 v_uv;
in vec2 v_screen;

void main()
{
    vec2 corner = 0.5 * vec2(uni_f_recip_width, uni_f_recip_height);
    vec4 sum = texture(uni_is_tex, v_uv + vec2(-corner.x, -corner.y));
    sum += texture(uni_is_tex, v_uv + vec2(corner.x, -corner.y));
    sum += texture(uni_is_tex, v_uv + vec2(-corner.x, corner.y));
    sum += texture(uni_is_tex, v_uv + vec2(corner.x, corner.y));
    gl_FragData[0] = sum * 0.25;
}
