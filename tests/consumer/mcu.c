/* Firmware for a microcontroller: reads every tip through the header's
   accessors, whatever the tables' storage. */
#include "hpostbl.h"

volatile int display_sink;

int main(void) {
    int hand, position;
    for (hand = 0; hand < 3; ++hand)
        for (position = 0; position < 60; ++position)
            display_sink = HNDPOS_TIP_X(hand, position) + HNDPOS_TIP_Y(hand, position);
    return HNDPOS_HOUR_POSITION(10, 8) + HNDPOS_CENTER_X;
}
