/* The clock's hands at a few fixed times, drawn with the tables of
   "hpostbl.h" and printed; the board gives the characters a way out. */
#ifndef CLOCK_H
#define CLOCK_H

#include "dial.h"

/* The board's side: start the output, take a character, stop for good. */
void board_init(void);
void board_put(char c);
void board_stop(void);

/* The hands at h:m:s in a frame of the panel's size, printed. */
void clock_draw(int h, int m, int s, dial_put put);

/* Every entry as the header's macros read it, 16 to a line, and each
   hand's index at every minute of 12 hours: what the tests compare with
   the generated tables and the host. */
void clock_dump_tables(dial_put put);
void clock_dump_indexes(dial_put put);

/* The fixed times, then (with CLOCK_SELF_TEST) the dumps. main() runs it
   between board_init() and board_stop(). */
void clock_run(dial_put put);

#endif
