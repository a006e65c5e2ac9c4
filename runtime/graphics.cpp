// graphics.cpp -- the display, its drawing state, presenting with soft pacing, and the drawing of
// images and lines.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "runtime/clock.h"
#include "runtime/draw_context.h"
#include "runtime/events.h"
#include "runtime/image.h"
#include "runtime/numeric.h"
#include "runtime/platform.h"
#include "runtime/renderer.h"

TString window_title;
TDrawContext draw_context;
bool display_open;
unsigned display_generation = 1;

static int game_width, game_height;  // the open display's picture size in game pixels
static bool soft_pacing;             // present_frame(-1) sleeps to keep pacing_hz
static int pacing_hz;                // the refresh rate asked of open_graphics
static int pacing_start;             // millisecs when the display was opened
static long long pacing_accumulator; // 1000 per paced present; kept across displays

static void next_generation() {
    if (++display_generation == 0) display_generation = 1;
}

// Viewport and scissor on the picture's corner of the back buffer, where it is drawn at its own
// size whatever the screen shows (the platform scales it when presenting).
static void apply_view() {
    glViewport(0, 0, game_width, game_height);
    glScissor(0, 0, game_width, game_height);
}

// The fixed-function state every draw relies on: a pixel-exact projection of the game picture,
// textures modulated by the vertex colour, vertex arrays for the batch.
static void set_up_renderer() {
    apply_view();
    glEnable(GL_SCISSOR_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, game_width, game_height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glDisable(GL_DITHER);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glLineWidth(1);
    glPointSize(1);
}

// The GL state of a blend mode.
struct TBlendMode {
    bool blending, alpha_test;
    GLenum source, destination;
};

static const TBlendMode blend_modes[] = {
    {false, true, GL_ONE, GL_ZERO},                      // 1: alpha test, alpha >= 0.5
    {false, false, GL_ONE, GL_ZERO},                     // 2: replace
    {true, false, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}, // 3: alpha blend
    {true, false, GL_SRC_ALPHA, GL_ONE},                 // 4: additive
    {true, false, GL_DST_COLOR, GL_ZERO},                // 5: multiply
};
// Unknown modes behave as 2.
static const TBlendMode& blend_of(int mode) {
    return blend_modes[mode >= 1 && mode <= 5 ? mode - 1 : 1];
}

static void apply_blend(int mode) {
    const auto& m = blend_of(mode);
    set_blending(m.blending);
    glBlendFunc(m.source, m.destination);
    m.alpha_test ? glEnable(GL_ALPHA_TEST) : glDisable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GEQUAL, 0.5f);
}

void update_transform(TDrawContext& c) {
    double radians = double(c.rotation) * 0.017453292519943295;
    float s = float(sin_deg(c.rotation)), co = float(std::cos(radians));
    c.ix = co * c.scale_x;
    c.iy = -s * c.scale_y;
    c.jx = s * c.scale_x;
    c.jy = co * c.scale_y;
}

// A new context's defaults, which also reset the process-wide loading settings.
static void initialise_context() {
    draw_context = TDrawContext{};
    draw_context.viewport_w = game_width;
    draw_context.viewport_h = game_height;
    draw_context.initialised = true;
    load_settings = TLoadSettings{};
    load_settings.default_flags = IMAGE_MASKED | IMAGE_FILTERED;
    set_up_renderer();
    apply_blend(draw_context.blend);
    for (int i = 0; i < 2; ++i) {
        clear_screen();
        present_frame(0);
    }
}

// Whether a full-screen display's vertical retrace paces presents at hz: three presents in a
// row that each take one refresh period (+-1 ms), tried for up to a second.
static bool vertical_retrace_paces(int hz) {
    int period = 1000 / hz, in_a_row = 0, start = millisecs();
    for (int tries = 0; tries < 3 * hz + 3 && millisecs() - start < 1000; ++tries) {
        int before = millisecs();
        platform_present(true);
        in_a_row = std::abs(millisecs() - before - period) <= 1 ? in_a_row + 1 : 0;
        if (in_a_row == 3) return true;
    }
    return false;
}

static void close_display() {
    next_generation();
    input_attach(false);
    platform_close_display();
    display_open = false;
}

// At the end of the process the display goes with it: what is still queued is forgotten, and
// images freed by the static destructors after this release nothing and flush nothing.
static void forget_display_at_exit() {
    discard_batch();
    display_open = false;
}

bool open_graphics(int width, int height, int depth, int hz, int flags) {
    (void)flags; // the platform's display is always double-buffered with no extra buffers
    static const int exit_registered = std::atexit(forget_display_at_exit);
    (void)exit_registered;
    if (display_open) close_display();
    if (!platform_open_display(width, height, depth != 0, string_to_utf8(window_title).c_str()))
        return false;
    display_open = true;
    next_generation();
    reset_renderer(); // the new context has no pages yet: pictures are uploaded again on use
    keep_freed_memory();
    game_width = width;
    game_height = height;
    initialise_context();
    soft_pacing = hz != 0 && !(depth != 0 && vertical_retrace_paces(hz));
    pacing_hz = hz;
    pacing_start = millisecs();
    input_attach(true);
    platform_move_pointer(width / 2, height / 2);
    return true;
}

// Sleeps until this frame's slot of the hz schedule; a frame that is already late resynchronises
// the schedule instead of catching up.
static void paced_present() {
    if (!soft_pacing) {
        platform_present(true);
        return;
    }
    pacing_accumulator += 1000;
    int elapsed = millisecs() - pacing_start;
    long long wait = pacing_accumulator / pacing_hz - elapsed;
    if (wait > 0 && wait < 1000)
        platform_sleep(int(wait));
    else
        pacing_accumulator = (long long)elapsed * pacing_hz;
    platform_present(false);
}

void present_frame(int sync) {
    if (!display_open) return;
    flush_drawing();
    if (sync == -1)
        paced_present();
    else
        platform_present(sync == 1);
}

void clear_screen() {
    if (!display_open) return;
    flush_drawing();
    const TDrawContext& c = draw_context;
    glClearColor(float(c.clear_r) / 255.0f, float(c.clear_g) / 255.0f, float(c.clear_b) / 255.0f,
                 1);
    glClear(GL_COLOR_BUFFER_BIT);
}

void set_color(int r, int g, int b) {
    draw_context.color_r = std::clamp(r, 0, 255);
    draw_context.color_g = std::clamp(g, 0, 255);
    draw_context.color_b = std::clamp(b, 0, 255);
}

void set_blend(int mode) {
    if (mode == draw_context.blend) return;
    draw_context.blend = mode;
    if (!display_open) return;
    flush_drawing();
    apply_blend(mode);
}

void set_scale(float x, float y) {
    draw_context.scale_x = x;
    draw_context.scale_y = y;
    update_transform(draw_context);
}

// Whether a draw shrinks pictures (the transform; the picture itself is drawn at its own size).
static bool minifying() {
    const TDrawContext& c = draw_context;
    return std::min(std::hypot(c.ix, c.jx), std::hypot(c.iy, c.jy)) < 1.0f;
}

// Every float of magnitude 2^23 or more is whole; below that the conversion to int is exact.
static bool whole(float value) {
    return std::fabs(value) >= 8388608.0f ? value == value : float(int(value)) == value;
}

// Whether a quad whose top-left corner lands on (x, y) covers whole screen pixels with each texel:
// unrotated, scaled by whole numbers, on a whole pixel (the picture is drawn at its own size).
static bool pixel_aligned(float x, float y) {
    const TDrawContext& c = draw_context;
    return c.iy == 0 && c.jx == 0 && c.ix >= 1 && c.jy >= 1 && whole(c.ix) && whole(c.jy) &&
           whole(x) && whole(y);
}

// Whether an unscaled, unrotated quad with its top-left corner at (x, y) covers whole screen
// pixels one texel each, so that every sample falls on a texel centre.
static bool on_whole_pixels(float x, float y) {
    const TDrawContext& c = draw_context;
    return c.ix == 1 && c.jy == 1 && pixel_aligned(x, y);
}

// One quad of the frame's size; (u, v) is its top-left corner relative to the draw position,
// which is (x, y) in the picture, before the transform.
static void queue_frame(const TImage* image, int frame, float x, float y, float u, float v) {
    if (!display_open || !image || frame < 0 || frame >= image_frames(image)) return;
    const TDrawContext& c = draw_context;
    bool minified = (image->flags & IMAGE_MIPMAPPED) && minifying();
    const TImageFrame& rf = renderer_frame(*image, frame, minified);
    auto a = std::uint8_t(std::clamp(c.alpha, 0.0f, 1.0f) * 255.0f + 0.5f);
    auto r = std::uint8_t(c.color_r), g = std::uint8_t(c.color_g), b = std::uint8_t(c.color_b);
    bool linear = (image->flags & IMAGE_FILTERED) && !on_whole_pixels(x + u, y + v);
    TQueuedQuad q;
    q.state = {rf.texture, linear,
               blend_of(c.blend).blending && !(c.blend == 3 && rf.opaque && c.alpha == 1),
               a == 255 && !linear && !minified};
    float w = float(image->width), h = float(image->height);
    const float corner[4][4] = {{u, v, rf.u0, rf.v0},
                                {u + w, v, rf.u1, rf.v0},
                                {u + w, v + h, rf.u1, rf.v1},
                                {u, v + h, rf.u0, rf.v1}};
    for (int i = 0; i < 4; ++i) {
        float cu = corner[i][0], cv = corner[i][1];
        q.corners[i] = {x + cu * c.ix + cv * c.iy,
                        y + cu * c.jx + cv * c.jy,
                        corner[i][2],
                        corner[i][3],
                        r,
                        g,
                        b,
                        a};
    }
    q.image = image;
    q.frame = frame;
    q.aligned = !minified && pixel_aligned(q.corners[0].x, q.corners[0].y);
    q.covers = q.aligned && rf.opaque && !q.state.blend && c.alpha == 1;
    batch_quad(q);
}

void draw_image(const TImage* image, float x, float y, int frame) {
    if (!image) return;
    const TDrawContext& c = draw_context;
    queue_frame(image, frame, x + c.origin_x, y + c.origin_y, -image->handle_x, -image->handle_y);
}

void draw_image_frame_at(const TImage* image, int frame, float x, float y) {
    queue_frame(image, frame, x, y, 0, 0);
}

// One pixel of a line, as a unit quad.
static void plot(float x, float y) {
    float px = std::floor(x), py = std::floor(y);
    glVertex2f(px, py);
    glVertex2f(px + 1, py);
    glVertex2f(px + 1, py + 1);
    glVertex2f(px, py + 1);
}

// Lines are stepped here along their major axis, from the first pixel up to but not including
// the final one, rather than left to GL's line rasteriser: drivers differ in which end they leave
// out (Mesa's software renderer drops the upper end whatever the direction), and the gauges of
// the game rely on the first pixel drawn and the last one added by last_pixel.
void draw_line(float x1, float y1, float x2, float y2, int last_pixel) {
    if (!display_open) return;
    flush_drawing();
    const TDrawContext& c = draw_context;
    // End points relative to (x1, y1), through the transform, onto pixel centres.
    float px = x1 + c.origin_x + 0.5f, py = y1 + c.origin_y + 0.5f;
    float u[2] = {c.handle_x, c.handle_x + x2 - x1}, v[2] = {c.handle_y, c.handle_y + y2 - y1};
    float sx[2], sy[2];
    for (int i = 0; i < 2; ++i) {
        sx[i] = px + u[i] * c.ix + v[i] * c.iy;
        sy[i] = py + u[i] * c.jx + v[i] * c.jy;
    }
    float dx = sx[1] - sx[0], dy = sy[1] - sy[0];
    int steps = int(std::max(std::fabs(dx), std::fabs(dy)) + 0.5f);
    set_blending(blend_of(c.blend).blending);
    glDisable(GL_TEXTURE_2D);
    glColor4ub(GLubyte(c.color_r), GLubyte(c.color_g), GLubyte(c.color_b),
               GLubyte(std::clamp(c.alpha, 0.0f, 1.0f) * 255.0f + 0.5f));
    glBegin(GL_QUADS);
    for (int i = 0; i < steps; ++i)
        plot(sx[0] + dx * float(i) / float(steps), sy[0] + dy * float(i) / float(steps));
    if (last_pixel) plot(sx[1], sy[1]);
    glEnd();
    glEnable(GL_TEXTURE_2D);
}
