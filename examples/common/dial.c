#include "dial.h"

void dial_clear(unsigned char* frame, int width, int height) {
    long i;
    for (i = 0; i < (long)DIAL_ROW_BYTES(width) * height; ++i) frame[i] = 0;
}

static void set_pixel(unsigned char* frame, int width, int height, long x, long y) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    frame[y * DIAL_ROW_BYTES(width) + x / 8] |= (unsigned char)(0x80u >> (x % 8));
}

void dial_line(unsigned char* frame, int width, int height, long x0, long y0, long x1, long y1) {
    const long dx = x1 > x0 ? x1 - x0 : x0 - x1;
    const long dy = y1 > y0 ? y0 - y1 : y1 - y0; /* minus the distance */
    const int step_x = x0 < x1 ? 1 : -1;
    const int step_y = y0 < y1 ? 1 : -1;
    long error = dx + dy;
    for (;;) {
        long twice;
        set_pixel(frame, width, height, x0, y0);
        if (x0 == x1 && y0 == y1) return;
        twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += step_x;
        }
        if (twice <= dx) {
            error += dx;
            y0 += step_y;
        }
    }
}

void dial_print(const unsigned char* frame, int width, int height, dial_put put) {
    int x, y;
    for (y = 0; y < height; ++y) {
        for (x = 0; x < width; ++x)
            put((frame[(long)y * DIAL_ROW_BYTES(width) + x / 8] & (0x80u >> (x % 8))) ? '#' : '.');
        put('\n');
    }
}

void dial_print_text(const char* text, dial_put put) {
    while (*text) put(*text++);
}

void dial_print_number(long value, dial_put put) {
    char digits[12];
    int count = 0;
    unsigned long magnitude = value < 0 ? 0ul - (unsigned long)value : (unsigned long)value;
    if (value < 0) put('-');
    do {
        digits[count++] = (char)('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (count > 0) put(digits[--count]);
}
