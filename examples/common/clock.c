#include "clock.h"

#include "hpostbl.h"
#if defined(CLOCK_TICKS) || defined(CLOCK_OUTLINE)
#include "shape_hpostbl.h"
#endif

/* The panel; a build for a wider one defines both. */
#ifndef CLOCK_WIDTH
#define CLOCK_WIDTH 128
#define CLOCK_HEIGHT 64
#endif

#ifdef CLOCK_TIPS_ONLY
/* No frame: each hand's tip, as "x,y". */
static void draw_hand(int hand, unsigned index, dial_put put) {
    put(' ');
    dial_print_number((long)HNDPOS_TIP_X(hand, index), put);
    put(',');
    dial_print_number((long)HNDPOS_TIP_Y(hand, index), put);
}
#else
static unsigned char frame[DIAL_ROW_BYTES(CLOCK_WIDTH) * CLOCK_HEIGHT];

static void draw_hand(int hand, unsigned index, dial_put put) {
    (void)put;
    dial_line(frame, CLOCK_WIDTH, CLOCK_HEIGHT, HNDPOS_CENTER_X, HNDPOS_CENTER_Y, (long)HNDPOS_TIP_X(hand, index),
              (long)HNDPOS_TIP_Y(hand, index));
}

/* The ring of ticks: tick k from its inner point to its outer one. */
static void draw_ticks(void) {
#ifdef CLOCK_TICKS
    unsigned k;
    for (k = 0; k < SHAPE_HNDPOS_TICKS_POSITIONS; ++k)
        dial_line(frame, CLOCK_WIDTH, CLOCK_HEIGHT, (long)SHAPE_HNDPOS_TICKS_X(k, 0), (long)SHAPE_HNDPOS_TICKS_Y(k, 0),
                  (long)SHAPE_HNDPOS_TICKS_X(k, 1), (long)SHAPE_HNDPOS_TICKS_Y(k, 1));
#endif
}

#ifdef CLOCK_OUTLINE
/* The hour hand as its outline at h:m:s: each point joined to the next,
   the last to the first. */
static void draw_outline(int h, int m, int s) {
    const unsigned k = SHAPE_HNDPOS_OUTLINE_INDEX(h, m, s);
    unsigned p;
    for (p = 0; p < SHAPE_HNDPOS_OUTLINE_POINTS; ++p) {
        const unsigned q = (p + 1) % SHAPE_HNDPOS_OUTLINE_POINTS;
        dial_line(frame, CLOCK_WIDTH, CLOCK_HEIGHT, (long)SHAPE_HNDPOS_OUTLINE_X(k, p), (long)SHAPE_HNDPOS_OUTLINE_Y(k, p),
                  (long)SHAPE_HNDPOS_OUTLINE_X(k, q), (long)SHAPE_HNDPOS_OUTLINE_Y(k, q));
    }
}
#endif
#endif

static void print_two_digits(int value, dial_put put) {
    put((char)('0' + value / 10));
    put((char)('0' + value % 10));
}

void clock_draw(int h, int m, int s, dial_put put) {
    print_two_digits(h, put);
    put(':');
    print_two_digits(m, put);
    put(':');
    print_two_digits(s, put);
#ifdef CLOCK_TIPS_ONLY
    draw_hand(0, HNDPOS_HOUR_INDEX(h, m, s), put);
    draw_hand(1, HNDPOS_MINUTE_INDEX(m, s), put);
    draw_hand(2, HNDPOS_SECOND_INDEX(s, 0), put);
    put('\n');
#else
    put('\n');
    dial_clear(frame, CLOCK_WIDTH, CLOCK_HEIGHT);
    draw_ticks();
#ifdef CLOCK_OUTLINE
    draw_outline(h, m, s);
#else
    draw_hand(0, HNDPOS_HOUR_INDEX(h, m, s), put);
#endif
    draw_hand(1, HNDPOS_MINUTE_INDEX(m, s), put);
    draw_hand(2, HNDPOS_SECOND_INDEX(s, 0), put);
    dial_print(frame, CLOCK_WIDTH, CLOCK_HEIGHT, put);
#endif
}

void clock_dump_tables(dial_put put) {
    const unsigned counts[3] = {HNDPOS_HOUR_POSITIONS, HNDPOS_MINUTE_POSITIONS, HNDPOS_SECOND_POSITIONS};
    int hand, axis;
    unsigned index;
    /* Short lines: "x0 16: " and the entries from index 16 on, 16 of them. */
    for (hand = 0; hand < 3; ++hand) {
        for (axis = 0; axis < 2; ++axis) {
            for (index = 0; index < counts[hand]; ++index) {
                if (index % 16 == 0) {
                    put(axis == 0 ? 'x' : 'y');
                    put((char)('0' + hand));
                    put(' ');
                    dial_print_number((long)index, put);
                    put(':');
                }
                put(' ');
                dial_print_number(axis == 0 ? (long)HNDPOS_TIP_X(hand, index) : (long)HNDPOS_TIP_Y(hand, index), put);
                if (index % 16 == 15 || index + 1 == counts[hand]) put('\n');
            }
        }
    }
}

void clock_dump_indexes(dial_put put) {
    int h, m;
    for (h = 0; h < 12; ++h) {
        for (m = 0; m < 60; ++m) {
            dial_print_number((long)HNDPOS_HOUR_INDEX(h, m, 0), put);
            put(' ');
            dial_print_number((long)HNDPOS_MINUTE_INDEX(m, 0), put);
            put(m % 10 == 9 ? '\n' : ' ');
        }
    }
}

void clock_run(dial_put put) {
    static const int times[][3] = {{10, 8, 30}, {3, 0, 0}, {7, 41, 53}};
    unsigned i;
    for (i = 0; i < sizeof times / sizeof times[0]; ++i) clock_draw(times[i][0], times[i][1], times[i][2], put);
#ifdef CLOCK_SELF_TEST
    dial_print_text("tables\n", put);
    clock_dump_tables(put);
    dial_print_text("indexes\n", put);
    clock_dump_indexes(put);
#endif
}

int main(void) {
    board_init();
    clock_run(board_put);
    board_stop();
    return 0;
}
