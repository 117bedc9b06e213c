/* Checks a few entries of the tables generated for this program, through
   the generated header, whatever the tables' storage. */
#include <stdio.h>

#include "hpostbl.h"

struct expected_entry {
    int y, hand, position, value;
};

static const struct expected_entry expected[] = {
#ifdef EXAMPLE_TABLES
    {0, 0, 0, 83}, {0, 0, 5, 87}, {0, 0, 25, 87}, {0, 0, 35, 79}, {0, 0, 55, 78}, {0, 1, 45, 70},
    {0, 2, 15, 97}, {1, 0, 10, 26}, {1, 1, 10, 24}, {1, 0, 20, 34}, {1, 0, 40, 35}, {1, 2, 30, 44},
#else
    {0, 0, 15, 4}, {0, 0, 45, 240}, {0, 1, 15, 240}, {0, 2, 0, 250}, {1, 0, 0, 248}, {1, 1, 30, 248},
#endif
};

int main(void) {
    int failures = 0;
    unsigned i;
    for (i = 0; i < sizeof expected / sizeof expected[0]; ++i) {
        const struct expected_entry* e = &expected[i];
        const int got = e->y ? HNDPOS_TIP_Y(e->hand, e->position) : HNDPOS_TIP_X(e->hand, e->position);
        if (got != e->value) {
            printf("%ctbl[%d][%d] is %d, expected %d\n", e->y ? 'y' : 'x', e->hand, e->position, got, e->value);
            ++failures;
        }
    }
#ifdef EXAMPLE_TABLES
    if (HNDPOS_CENTER_X != 83 || HNDPOS_SECOND_RADIUS != 14 || HNDPOS_HOUR_POSITION(22, 59) != 54) {
        printf("the header's macros are wrong\n");
        ++failures;
    }
#else
    if (HNDPOS_SECOND_RADIUS != -2147483647) { /* $80000001 */
        printf("the header's radius macro is wrong\n");
        ++failures;
    }
#endif
    return failures != 0;
}
