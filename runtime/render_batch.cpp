// render_batch.cpp -- textured quads collected into one vertex array per batch state and sent to
// GL in a single draw call; the GL state it touches (binding, filter, blending) is tracked, so
// that unchanged state costs nothing.
#include <GL/gl.h>

#include <unordered_map>

#include "runtime/renderer.h"

static std::vector<TBatchVertex> batch;              // queued quads, four vertices each
static TBatchState batch_state;                      // what every queued quad needs
static unsigned bound_texture;                       // what GL_TEXTURE_2D is bound to now
static bool blending = false;                        // GL_BLEND is enabled now
static std::unordered_map<unsigned, bool> linear_of; // each texture's magnification filter now
static std::vector<GLuint> indices;                  // two triangles per quad, for every quad

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
}

void flush_drawing() {
    if (batch.empty()) return;
    apply_batch_state(batch_state);
    const TBatchVertex* v = batch.data();
    glVertexPointer(2, GL_FLOAT, sizeof(TBatchVertex), &v->x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(TBatchVertex), &v->u);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(TBatchVertex), &v->r);
    for (size_t q = indices.size() / 6; q < batch.size() / 4; ++q)
        for (GLuint corner : {0u, 1u, 2u, 0u, 2u, 3u}) indices.push_back(GLuint(q * 4) + corner);
    glDrawElements(GL_TRIANGLES, GLsizei(batch.size() / 4 * 6), GL_UNSIGNED_INT, indices.data());
    batch.clear();
}

void batch_quad(const TBatchState& state, const TBatchVertex corners[4]) {
    if (!(state == batch_state)) {
        flush_drawing();
        batch_state = state;
    }
    batch.insert(batch.end(), corners, corners + 4);
}

void discard_batch() {
    batch.clear();
    batch_state = {};
    bound_texture = 0;
    blending = false;
    linear_of.clear();
}
