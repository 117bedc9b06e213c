/* A clock drawn from figures alone, as hndpos-tables writes them: the
   hour, minute and second hands as filled polygons with tails behind the
   hub, over a ring of ticks, into a 1-bit frame buffer, printed. Nothing
   is computed at run time but the indexes: every corner of every hand at
   every position comes from the tables. */
#include "clock.h"
#include "hpostbl.h"

#ifndef CLOCK_WIDTH
#define CLOCK_WIDTH 320
#define CLOCK_HEIGHT 240
#endif

static unsigned char frame[DIAL_ROW_BYTES(CLOCK_WIDTH) * CLOCK_HEIGHT];

/* Figure NAME at position k, filled. */
#define FILL_FIGURE(NAME, k)                                                                     \
    do {                                                                                         \
        long xs[HNDPOS_##NAME##_POINTS], ys[HNDPOS_##NAME##_POINTS];                             \
        int p_;                                                                                  \
        for (p_ = 0; p_ < HNDPOS_##NAME##_POINTS; ++p_) {                                        \
            xs[p_] = (long)HNDPOS_##NAME##_X((k), p_);                                           \
            ys[p_] = (long)HNDPOS_##NAME##_Y((k), p_);                                           \
        }                                                                                        \
        dial_fill_polygon(frame, CLOCK_WIDTH, CLOCK_HEIGHT, xs, ys, HNDPOS_##NAME##_POINTS);     \
    } while (0)

/* Every entry of figure NAME, a position to a line: "name k: x,y x,y ...". */
#define DUMP_FIGURE(NAME, name, put)                                                             \
    do {                                                                                         \
        unsigned k_;                                                                             \
        int p_;                                                                                  \
        for (k_ = 0; k_ < HNDPOS_##NAME##_POSITIONS; ++k_) {                                     \
            dial_print_text(name " ", put);                                                      \
            dial_print_number((long)k_, put);                                                    \
            put(':');                                                                            \
            for (p_ = 0; p_ < HNDPOS_##NAME##_POINTS; ++p_) {                                    \
                put(' ');                                                                        \
                dial_print_number((long)HNDPOS_##NAME##_X(k_, p_), put);                         \
                put(',');                                                                        \
                dial_print_number((long)HNDPOS_##NAME##_Y(k_, p_), put);                         \
            }                                                                                    \
            put('\n');                                                                           \
        }                                                                                        \
    } while (0)

void clock_draw(int h, int m, int s, dial_put put) {
    unsigned k;
    dial_print_number(h, put);
    put(':');
    dial_print_number(m, put);
    put(':');
    dial_print_number(s, put);
    put('\n');
    dial_clear(frame, CLOCK_WIDTH, CLOCK_HEIGHT);
    for (k = 0; k < HNDPOS_TICKS_POSITIONS; ++k)
        dial_line(frame, CLOCK_WIDTH, CLOCK_HEIGHT, (long)HNDPOS_TICKS_X(k, 0), (long)HNDPOS_TICKS_Y(k, 0),
                  (long)HNDPOS_TICKS_X(k, 1), (long)HNDPOS_TICKS_Y(k, 1));
    /* Each hand where its own turn puts it. */
    FILL_FIGURE(HOUR, HNDPOS_HOUR_INDEX(h, m, s));
    FILL_FIGURE(MINUTE, HNDPOS_MINUTE_INDEX(m, s));
    FILL_FIGURE(SECOND, HNDPOS_SECOND_INDEX(s, 0));
    dial_print(frame, CLOCK_WIDTH, CLOCK_HEIGHT, put);
}

void clock_dump_tables(dial_put put) {
    DUMP_FIGURE(HOUR, "hour", put);
    DUMP_FIGURE(MINUTE, "minute", put);
    DUMP_FIGURE(SECOND, "second", put);
    DUMP_FIGURE(TICKS, "ticks", put);
}

void clock_dump_indexes(dial_put put) { (void)put; }

void clock_run(dial_put put) {
    static const int times[][3] = {{10, 8, 30}, {3, 0, 0}, {7, 41, 53}};
    unsigned i;
    for (i = 0; i < sizeof times / sizeof times[0]; ++i) clock_draw(times[i][0], times[i][1], times[i][2], put);
#ifdef CLOCK_SELF_TEST
    dial_print_text("figures\n", put);
    clock_dump_tables(put);
#endif
}

int main(void) {
    board_init();
    clock_run(board_put);
    board_stop();
    return 0;
}
