/* Prints the 360 entries as the compiler sees them, one per line. */
#include <stdio.h>

extern int xtbl[3][60];
extern int ytbl[3][60];

int main(void) {
    int hand, position;
    for (hand = 0; hand < 3; ++hand)
        for (position = 0; position < 60; ++position) printf("%d\n", xtbl[hand][position]);
    for (hand = 0; hand < 3; ++hand)
        for (position = 0; position < 60; ++position) printf("%d\n", ytbl[hand][position]);
    return 0;
}
