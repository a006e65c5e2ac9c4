// render_batch.cpp -- image quads queued until the next flush, reduced, then sent to GL with one
// draw call per run of quads that share their state; the GL state it touches (binding, filter,
// blending, shader) is tracked, so that unchanged state costs nothing.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <malloc.h>

#include <unordered_map>

#include "runtime/draw_context.h"
#include "runtime/renderer.h"

static std::vector<TQueuedQuad> queued;    // image quads since the last flush
static std::vector<TBatchVertex> vertices; // one draw call's quads, four vertices each
static std::vector<GLuint> indices;        // two triangles a quad (plain drawing, turned quads)
static unsigned bound_texture;             // what GL_TEXTURE_2D is bound to now
static bool blending = false;              // GL_BLEND is enabled now
static std::unordered_map<unsigned, bool> linear_of; // each texture's magnification filter now
static bool plain_drawing = false;                   // set_plain_drawing: no reduction, no shader
static bool fixed_function_only = false;             // set_fixed_function_only: no shader
static GLuint texel_program;  // the shader that only samples, once built in this context
static int texel_program_ok;  // 0 not built yet in this context, 1 built, -1 unavailable
static bool texel_program_on; // texel_program is the current program

void bind_texture(unsigned texture) {
    if (texture == bound_texture) return;
    glBindTexture(GL_TEXTURE_2D, texture);
    bound_texture = texture;
}

void note_texture_filter(unsigned texture, bool linear) {
    linear_of[texture] = linear;
}

void set_blending(bool on) {
    flush_drawing();
    if (on == blending) return;
    on ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
    blending = on;
}

void set_plain_drawing(bool on) {
    flush_drawing();
    plain_drawing = on;
}

void set_fixed_function_only(bool on) {
    flush_drawing();
    fixed_function_only = on;
}

// The texture's texels at the texture coordinates, unchanged: the position as fixed function
// transforms it, no colour. Needs OpenGL 2.0; without it the fixed-function path draws these too.
static bool build_texel_program() {
    static const char* const vertex_source = "#version 110\n"
                                             "varying vec2 uv;\n"
                                             "void main() {\n"
                                             "    gl_Position = ftransform();\n"
                                             "    uv = gl_MultiTexCoord0.xy;\n"
                                             "}\n";
    static const char* const fragment_source = "#version 110\n"
                                               "uniform sampler2D picture;\n"
                                               "varying vec2 uv;\n"
                                               "void main() {\n"
                                               "    gl_FragColor = texture2D(picture, uv);\n"
                                               "}\n";
    const GLubyte* language = glGetString(GL_SHADING_LANGUAGE_VERSION);
    glGetError(); // a context without shaders says so here
    if (!language) return false;
    GLuint shaders[2] = {glCreateShader(GL_VERTEX_SHADER), glCreateShader(GL_FRAGMENT_SHADER)};
    const char* sources[2] = {vertex_source, fragment_source};
    texel_program = glCreateProgram();
    for (int i = 0; i < 2; ++i) {
        glShaderSource(shaders[i], 1, &sources[i], nullptr);
        glCompileShader(shaders[i]);
        glAttachShader(texel_program, shaders[i]);
        glDeleteShader(shaders[i]); // goes with the program
    }
    glLinkProgram(texel_program);
    GLint linked = 0;
    glGetProgramiv(texel_program, GL_LINK_STATUS, &linked);
    if (!linked) glDeleteProgram(texel_program);
    return linked;
}

static void use_texel_program(bool on) {
    if (on && texel_program_ok == 0) texel_program_ok = build_texel_program() ? 1 : -1;
    on = on && texel_program_ok == 1;
    if (on == texel_program_on) return;
    glUseProgram(on ? texel_program : 0);
    texel_program_on = on;
}

static void apply_batch_state(const TBatchState& state) {
    bind_texture(state.texture);
    auto filter = linear_of.find(state.texture);
    if (filter != linear_of.end() && filter->second != state.linear) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER,
                        state.linear ? GL_LINEAR : GL_NEAREST);
        filter->second = state.linear;
    }
    if (state.blend != blending) {
        state.blend ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
        blending = state.blend;
    }
    use_texel_program(state.plain_texels && !plain_drawing && !fixed_function_only);
}

// Whether the quad's edges run along the axes, where splitting it into triangles along either
// diagonal gives the same pixels.
static bool upright(const TQueuedQuad& q) {
    const TBatchVertex* c = q.corners;
    return c[0].y == c[1].y && c[1].x == c[2].x && c[2].y == c[3].y && c[3].x == c[0].x;
}

// One draw call for the quads in vertices, all with `state`. Plain drawing and turned quads go as
// two indexed triangles a quad; upright quads as GL_QUADS otherwise, which Mesa's software
// renderer takes three times faster than an index list of more than a hundred quads.
static void draw_vertices(const TBatchState& state, bool triangles) {
    if (vertices.empty()) return;
    apply_batch_state(state);
    const TBatchVertex* v = vertices.data();
    glVertexPointer(2, GL_FLOAT, sizeof(TBatchVertex), &v->x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(TBatchVertex), &v->u);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(TBatchVertex), &v->r);
    if (triangles) {
        for (size_t q = indices.size() / 6; q < vertices.size() / 4; ++q)
            for (GLuint corner : {0u, 1u, 2u, 0u, 2u, 3u})
                indices.push_back(GLuint(q * 4) + corner);
        glDrawElements(GL_TRIANGLES, GLsizei(vertices.size() / 4 * 6), GL_UNSIGNED_INT,
                       indices.data());
    } else {
        glDrawArrays(GL_QUADS, 0, GLsizei(vertices.size()));
    }
    vertices.clear();
}

void flush_drawing() {
    if (queued.empty()) return;
    if (!plain_drawing) reduce_quads(queued, draw_context.viewport_w, draw_context.viewport_h);
    TBatchState state;
    for (const TQueuedQuad& quad : queued) {
        bool alone = quad.alone || (!plain_drawing && !upright(quad));
        if (alone || !(quad.state == state)) draw_vertices(state, plain_drawing);
        state = quad.state;
        vertices.insert(vertices.end(), quad.corners, quad.corners + 4);
        if (alone) draw_vertices(state, plain_drawing || !upright(quad));
    }
    draw_vertices(state, plain_drawing);
    queued.clear();
    use_texel_program(false); // lines, clears and uploads after this use fixed function
}

void batch_quad(const TQueuedQuad& quad) {
    queued.push_back(quad);
}

void keep_freed_memory() {
#ifdef M_TRIM_THRESHOLD
    mallopt(M_TRIM_THRESHOLD, 16 << 20);
#endif
}

void discard_batch() {
    queued.clear();
    vertices.clear();
    bound_texture = 0;
    blending = false;
    linear_of.clear();
    texel_program = 0;
    texel_program_ok = 0;
    texel_program_on = false;
}
