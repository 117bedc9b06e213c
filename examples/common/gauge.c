/* A gauge drawn anti-aliased from hndpos-tables' masks: a needle over 270
   degrees (61 positions) about the centre of a panel of even size, which
   lies between four pixels. Nothing about the needle is computed at run
   time but its position: every pixel's coverage of every position comes
   from the tables. The self-test prints, for every position, the sum of
   its levels, the pixels its 1-bit drawing sets and a checksum of its
   RGB565 drawing into a band of the panel, for the tests to compare with
   the tables and the host. */
#include <stdint.h>

#include "clock.h"
#include "hpostbl.h"

#ifndef GAUGE_WIDTH
#define GAUGE_WIDTH 240
#define GAUGE_HEIGHT 240
#endif
/* The rows of the RGB565 band: the whole frame would not fit the RAM of a
   small processor. 0 leaves the band out. */
#ifndef GAUGE_BAND_ROWS
#define GAUGE_BAND_ROWS 80
#endif
/* The picture printed at a reading: one character for each square of
   GAUGE_CELL pixels, '#' where the 1-bit drawing sets any of them. */
#ifndef GAUGE_CELL
#define GAUGE_CELL 4
#endif

#define PAGE_BYTES ((long)GAUGE_WIDTH * ((GAUGE_HEIGHT + 7) / 8))
static uint8_t pages[PAGE_BYTES];
#if GAUGE_BAND_ROWS > 0
static uint16_t band[(long)GAUGE_WIDTH * GAUGE_BAND_ROWS];
#endif

static int page_pixel(long x, long y) { return (pages[(y / 8) * GAUGE_WIDTH + x] >> (y % 8)) & 1; }

static void draw_pages(unsigned k) {
    long i;
    for (i = 0; i < PAGE_BYTES; ++i) pages[i] = 0;
    needle_mask_page_1bit(k, pages, GAUGE_WIDTH, GAUGE_HEIGHT, 1);
}

static void print_picture(dial_put put) {
    long x, y, cx, cy;
    for (y = 0; y < GAUGE_HEIGHT; y += GAUGE_CELL) {
        for (x = 0; x < GAUGE_WIDTH; x += GAUGE_CELL) {
            int lit = 0;
            for (cy = y; cy < y + GAUGE_CELL && cy < GAUGE_HEIGHT; ++cy)
                for (cx = x; cx < x + GAUGE_CELL && cx < GAUGE_WIDTH; ++cx) lit |= page_pixel(cx, cy);
            put(lit ? '#' : '.');
        }
        put('\n');
    }
}

/* A reading on a scale of 0 to 100: the position the header gives. */
static void draw_reading(int value, dial_put put) {
    const unsigned k = HNDPOS_NEEDLE_POSITION_OF(value, 0, 100);
    dial_print_text("reading ", put);
    dial_print_number(value, put);
    dial_print_text(" of 100: position ", put);
    dial_print_number((long)k, put);
    put('\n');
    draw_pages(k);
    print_picture(put);
}

#ifdef CLOCK_SELF_TEST
static void check_position(unsigned k, dial_put put) {
    unsigned long sum = 0, set = 0;
    long x, y;
    for (y = 0; y < GAUGE_HEIGHT; ++y)
        for (x = 0; x < GAUGE_WIDTH; ++x) sum += HNDPOS_NEEDLE_LEVEL(k, x, y);
    draw_pages(k);
    for (y = 0; y < GAUGE_HEIGHT; ++y)
        for (x = 0; x < GAUGE_WIDTH; ++x) set += (unsigned long)page_pixel(x, y);
    dial_print_number((long)k, put);
    dial_print_text(": levels ", put);
    dial_print_number((long)sum, put);
    dial_print_text(", set ", put);
    dial_print_number((long)set, put);
#if GAUGE_BAND_ROWS > 0
    {
        /* Fletcher's sum over the band, white on black. */
        unsigned long low = 0, high = 0;
        long i;
        for (i = 0; i < (long)GAUGE_WIDTH * GAUGE_BAND_ROWS; ++i) band[i] = 0;
        needle_mask_blend_rgb565(k, band, GAUGE_WIDTH, GAUGE_BAND_ROWS, 0xFFFFu);
        for (i = 0; i < (long)GAUGE_WIDTH * GAUGE_BAND_ROWS; ++i) {
            low = (low + band[i]) % 65535u;
            high = (high + low) % 65535u;
        }
        dial_print_text(", band ", put);
        dial_print_number((long)high, put);
        put(' ');
        dial_print_number((long)low, put);
    }
#endif
    put('\n');
}
#endif

void clock_run(dial_put put) {
    static const int readings[] = {0, 37, 100};
    unsigned i;
    for (i = 0; i < sizeof readings / sizeof readings[0]; ++i) draw_reading(readings[i], put);
#ifdef CLOCK_SELF_TEST
    dial_print_text("positions\n", put);
    for (i = 0; i < HNDPOS_NEEDLE_POSITIONS; ++i) check_position(i, put);
#endif
}

int main(void) {
    board_init();
    clock_run(board_put);
    board_stop();
    return 0;
}
