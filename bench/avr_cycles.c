/* Cycles on an ATmega328P (under simavr) for one hand tip: read from the
   tables in program memory through the header's macros, against the
   sin/cos in avr-libc's floating point that firmware computes instead.
   Timer 1 counts every clock cycle; the empty loop's cost is taken off. */
#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/sleep.h>
#include <math.h>
#include <stdlib.h>

#include "dial.h"
#include "hpostbl.h"
#ifdef WITH_FIGURE
#include "figure.h"
#include "mask.h"
#endif

#define ROUNDS 8u /* few enough that 16 bits of timer hold the float runs */

static void put(char c) {
    loop_until_bit_is_set(UCSR0A, UDRE0);
    UDR0 = (unsigned char)c;
}

volatile long sink;
volatile unsigned char which;

static unsigned cycles_of(void (*work)(unsigned)) {
    unsigned index, start, stop;
    TCNT1 = 0;
    start = TCNT1;
    for (index = 0; index < ROUNDS; ++index) work(index);
    stop = TCNT1;
    return stop - start;
}

static void nothing(unsigned index) { sink = index; }
static void table_byte(unsigned index) { sink = HNDPOS_TIP_X(which, index) + HNDPOS_TIP_Y(which, index); }
static void computed(unsigned index) {
    const float angle = (float)index * (float)(2.0 * M_PI / 60.0);
    sink = HNDPOS_CENTER_X + lroundf(20.0f * sinf(angle)) + HNDPOS_CENTER_Y - lroundf(20.0f * cosf(angle));
}

#ifdef WITH_FIGURE
/* A hand drawn as a filled polygon with a tail, the figure "-5,-3 20,0
   -5,3": its corners read from the tables, or computed as firmware does
   without them, then filled into a 128x64 frame. */
static unsigned char frame[DIAL_ROW_BYTES(128) * 64];

static void fill(const long* xs, const long* ys) { dial_fill_polygon(frame, 128, 64, xs, ys, 3); }

static void hand_from_tables(unsigned index) {
    long xs[3], ys[3];
    int p;
    for (p = 0; p < 3; ++p) {
        xs[p] = FIG_HNDPOS_HAND_X(index, p);
        ys[p] = FIG_HNDPOS_HAND_Y(index, p);
    }
    fill(xs, ys);
}

static void hand_computed(unsigned index) {
    static const float along[3] = {-5.0f, 20.0f, -5.0f}, across[3] = {-3.0f, 0.0f, 3.0f};
    const float angle = (float)index * (float)(2.0 * M_PI / 60.0);
    const float s = sinf(angle), c = cosf(angle);
    long xs[3], ys[3];
    int p;
    for (p = 0; p < 3; ++p) {
        xs[p] = 63 + lroundf(along[p] * s + across[p] * c);
        ys[p] = 31 - lroundf(along[p] * c - across[p] * s);
    }
    fill(xs, ys);
}

/* The same hand from its 1-bit mask, set into a 128x64 page buffer: no
   corners, no fill, the pixels straight from program memory. It takes the
   frame's 1,024 bytes as its pages (8 rows a byte). */
static void hand_from_mask(unsigned index) { msk_hand_mask_page_1bit(index, frame, 128, 64, 1); }

/* The corners alone: what differs between the two. */
static void corners_from_tables(unsigned index) {
    long sum = 0;
    int p;
    for (p = 0; p < 3; ++p) sum += FIG_HNDPOS_HAND_X(index, p) + FIG_HNDPOS_HAND_Y(index, p);
    sink = sum;
}

static void corners_computed(unsigned index) {
    static const float along[3] = {-5.0f, 20.0f, -5.0f}, across[3] = {-3.0f, 0.0f, 3.0f};
    const float angle = (float)index * (float)(2.0 * M_PI / 60.0);
    const float s = sinf(angle), c = cosf(angle);
    long sum = 0;
    int p;
    for (p = 0; p < 3; ++p)
        sum += 63 + lroundf(along[p] * s + across[p] * c) + 31 - lroundf(along[p] * c - across[p] * s);
    sink = sum;
}

/* Cycles of one call, summed over the 60 positions (one call at a time:
   a fill can outrun the 16-bit timer over several). */
static unsigned long cycles_per_hand(void (*work)(unsigned)) {
    unsigned long total = 0;
    unsigned index, start;
    for (index = 0; index < 60; ++index) {
        TCNT1 = 0;
        start = TCNT1;
        work(index);
        total += (unsigned)(TCNT1 - start);
    }
    return total / 60;
}
#endif

static void report(const char *what, unsigned cycles, unsigned empty) {
    dial_print_text(what, put);
    dial_print_number((long)(cycles - empty) / (long)ROUNDS, put);
    put('\n');
}

int main(void) {
    unsigned empty;
    UBRR0L = 16;
    UCSR0A = _BV(U2X0);
    UCSR0B = _BV(TXEN0);
    UCSR0C = _BV(UCSZ01) | _BV(UCSZ00);
    TCCR1A = 0;
    TCCR1B = _BV(CS10); /* clk/1 */
    empty = cycles_of(nothing);
    report("cycles per tip (x and y), tables in program memory: ", cycles_of(table_byte), empty);
    report("cycles per tip (x and y), sinf and cosf: ", cycles_of(computed), empty);
#ifdef WITH_FIGURE
    dial_print_text("cycles per hand's 3 corners, from the tables: ", put);
    dial_print_number((long)cycles_per_hand(corners_from_tables), put);
    dial_print_text("\ncycles per hand's 3 corners, from sinf and cosf: ", put);
    dial_print_number((long)cycles_per_hand(corners_computed), put);
    dial_print_text("\ncycles per filled hand (3 corners), corners from the tables: ", put);
    dial_print_number((long)cycles_per_hand(hand_from_tables), put);
    dial_print_text("\ncycles per filled hand (3 corners), corners from sinf and cosf: ", put);
    dial_print_number((long)cycles_per_hand(hand_computed), put);
    dial_print_text("\ncycles per hand from its 1-bit mask (page buffer): ", put);
    dial_print_number((long)cycles_per_hand(hand_from_mask), put);
    put('\n');
#endif
    loop_until_bit_is_set(UCSR0A, TXC0);
    cli();
    sleep_enable();
    sleep_cpu();
    for (;;) {
    }
}
