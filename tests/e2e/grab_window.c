/* grab_window.c -- saves what a window shows as a PNG picture, for screenshots of the real program
 * under Xvfb, or prints one pixel of it as RRGGBB, for end-to-end tests that wait for a picture.
 * Usage: grab_window WINDOW_ID FILE.png | grab_window WINDOW_ID X Y */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <png.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        fprintf(stderr, "usage: grab_window WINDOW_ID FILE.png | grab_window WINDOW_ID X Y\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "grab_window: cannot open the display\n");
        return 1;
    }
    Window window = (Window)strtoul(argv[1], NULL, 0);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return 1;
    XImage* image = XGetImage(display, window, 0, 0, (unsigned)attributes.width,
                              (unsigned)attributes.height, AllPlanes, ZPixmap);
    if (!image) {
        fprintf(stderr, "grab_window: cannot read the window\n");
        return 1;
    }
    if (argc == 4) {
        int x = atoi(argv[2]), y = atoi(argv[3]);
        if (x < 0 || y < 0 || x >= image->width || y >= image->height) return 1;
        printf("%06lx\n", XGetPixel(image, x, y) & 0xffffff);
        return 0;
    }
    FILE* out = fopen(argv[2], "wb");
    if (!out) {
        fprintf(stderr, "grab_window: cannot write %s\n", argv[2]);
        return 1;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) return 1;
    png_init_io(png, out);
    png_set_IHDR(png, info, (png_uint_32)image->width, (png_uint_32)image->height, 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    unsigned char* row = malloc((size_t)image->width * 3);
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            unsigned long pixel = XGetPixel(image, x, y);
            row[x * 3 + 0] = (unsigned char)((pixel & image->red_mask) >> 16);
            row[x * 3 + 1] = (unsigned char)((pixel & image->green_mask) >> 8);
            row[x * 3 + 2] = (unsigned char)(pixel & image->blue_mask);
        }
        png_write_row(png, row);
    }
    png_write_end(png, NULL);
    png_destroy_write_struct(&png, &info);
    fclose(out);
    free(row);
    XDestroyImage(image);
    XCloseDisplay(display);
    return 0;
}
