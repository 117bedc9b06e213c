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

/* The least integer at or above n/d, d > 0. */
static long ceil_div(long n, long d) { return n >= 0 ? (n + d - 1) / d : -((-n) / d); }

void dial_fill_polygon(unsigned char* frame, int width, int height, const long* xs, const long* ys, int count) {
    long top = ys[0], bottom = ys[0], y;
    int i;
    for (i = 1; i < count; ++i) {
        if (ys[i] < top) top = ys[i];
        if (ys[i] > bottom) bottom = ys[i];
    }
    for (y = top; y <= bottom; ++y) {
        long starts[64]; /* where each edge crosses the row, as the first pixel at or right of it */
        int crossings = 0, j;
        for (i = 0; i < count; ++i) {
            const long x0 = xs[i], y0 = ys[i], x1 = xs[(i + 1) % count], y1 = ys[(i + 1) % count];
            long k;
            /* Half-open in y: a vertex shared by two edges counts once. */
            if (!((y0 <= y && y < y1) || (y1 <= y && y < y0))) continue;
            /* x = x0 + (y - y0)(x1 - x0)/(y1 - y0), exactly, rounded up. */
            k = y1 > y0 ? ceil_div(x0 * (y1 - y0) + (y - y0) * (x1 - x0), y1 - y0)
                        : ceil_div(x0 * (y0 - y1) - (y - y0) * (x1 - x0), y0 - y1);
            for (j = crossings++; j > 0 && starts[j - 1] > k; --j) starts[j] = starts[j - 1];
            starts[j] = k;
        }
        for (j = 0; j + 1 < crossings; j += 2) {
            long x;
            for (x = starts[j]; x < starts[j + 1]; ++x) set_pixel(frame, width, height, x, y);
        }
    }
    for (i = 0; i < count; ++i)
        dial_line(frame, width, height, xs[i], ys[i], xs[(i + 1) % count], ys[(i + 1) % count]);
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
