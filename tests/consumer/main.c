/* Checks a few entries of the tables generated for this program. */
#include <stdio.h>

extern int xtbl[3][60];
extern int ytbl[3][60];

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
        const int got = e->y ? ytbl[e->hand][e->position] : xtbl[e->hand][e->position];
        if (got != e->value) {
            printf("%ctbl[%d][%d] is %d, expected %d\n", e->y ? 'y' : 'x', e->hand, e->position, got, e->value);
            ++failures;
        }
    }
    return failures != 0;
}
