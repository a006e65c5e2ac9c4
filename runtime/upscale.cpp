// upscale.cpp -- the window's whole scale, the picture's place on the screen, and the scaled copy
// of the drawn picture at every present.
#include "runtime/upscale.h"

#include <GL/gl.h>

#include <algorithm>

// Room that the window system takes around a window: its title bar and frame, in pixels.
static const int frame_width = 32, frame_height = 64;

static GLuint copy_texture; // holds the picture between the copy and the draw; 0 until first use
static int texture_width, texture_height; // its size: the powers of two that hold the picture

int whole_window_scale(int usable_width, int usable_height, int width, int height) {
    if (width <= 0 || height <= 0) return 1;
    int scale =
        std::min((usable_width - frame_width) / width, (usable_height - frame_height) / height);
    return std::max(scale, 1);
}

TScreenRect picture_place(int drawable_width, int drawable_height, int width, int height) {
    if ((long long)drawable_width * height == (long long)drawable_height * width)
        return {0, 0, drawable_width, drawable_height};
    double scale = std::min(double(drawable_width) / width, double(drawable_height) / height);
    int w = int(width * scale + 0.5), h = int(height * scale + 0.5);
    return {(drawable_width - w) / 2, (drawable_height - h) / 2, w, h};
}

static int power_of_two_from(int n) {
    int p = 1;
    while (p < n) p *= 2;
    return p;
}

// The texture the picture is copied into, made for this context and picture size on first use.
static void bind_copy_texture(int width, int height) {
    if (!copy_texture || texture_width < width || texture_height < height) {
        upscale_forget();
        texture_width = power_of_two_from(width);
        texture_height = power_of_two_from(height);
        glGenTextures(1, &copy_texture);
        glBindTexture(GL_TEXTURE_2D, copy_texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, texture_width, texture_height, 0, GL_RGB,
                     GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        return;
    }
    glBindTexture(GL_TEXTURE_2D, copy_texture);
}

// One quad over the whole viewport showing the picture's part of the texture.
static void draw_copy(int width, int height) {
    float u = float(width) / float(texture_width), v = float(height) / float(texture_height);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glColor4ub(255, 255, 255, 255);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glTexCoord2f(u, 0);
    glVertex2f(1, -1);
    glTexCoord2f(u, v);
    glVertex2f(1, 1);
    glTexCoord2f(0, v);
    glVertex2f(-1, 1);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void upscale_frame(int width, int height, TScreenRect place, int drawable_width,
                   int drawable_height) {
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_VIEWPORT_BIT | GL_SCISSOR_BIT |
                 GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    bind_copy_texture(width, height);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, width, height);
    // Whole scales show each picture pixel as a block of screen pixels; the in-between scales of
    // a full screen of another aspect are smoothed rather than shown in uneven rows.
    bool whole = place.width % width == 0 && place.height % height == 0;
    GLint filter = whole ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glDisable(GL_SCISSOR_TEST);
    if (place.width != drawable_width || place.height != drawable_height) {
        glClearColor(0, 0, 0, 1); // the borders beside the picture
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glViewport(place.x, drawable_height - place.y - place.height, place.width, place.height);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    draw_copy(width, height);
    glPopAttrib();
}

void upscale_forget() {
    if (copy_texture) glDeleteTextures(1, &copy_texture);
    copy_texture = 0;
}
