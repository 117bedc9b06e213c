/* Prints every entry of hndpos-tables' tables through its header's macros,
 * a line each, hand by hand, x then y: the order table_entries prints.
 * TABLES_HEADER names the header, TABLES_PREFIX the macros' prefix (none
 * when not defined). A header may define TABLES_CHECK, a condition the
 * exit status then reports too. */
#include <stdio.h>
#include TABLES_HEADER
#ifndef TABLES_PREFIX
#define TABLES_PREFIX
#endif
#ifndef TABLES_CHECK
#define TABLES_CHECK 1
#endif
#define PASTE(prefix, name) prefix##name
#define PREFIXED(prefix, name) PASTE(prefix, name)
#define MACRO(name) PREFIXED(TABLES_PREFIX, name)

int main(void) {
    const unsigned long counts[3] = {MACRO(HNDPOS_HOUR_POSITIONS), MACRO(HNDPOS_MINUTE_POSITIONS),
                                     MACRO(HNDPOS_SECOND_POSITIONS)};
    unsigned hand;
    unsigned long index;
    for (hand = 0; hand < 3; ++hand) {
        for (index = 0; index < counts[hand]; ++index) printf("%ld\n", (long)MACRO(HNDPOS_TIP_X)(hand, index));
        for (index = 0; index < counts[hand]; ++index) printf("%ld\n", (long)MACRO(HNDPOS_TIP_Y)(hand, index));
    }
    return TABLES_CHECK ? 0 : 1;
}
