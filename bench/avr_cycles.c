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
    loop_until_bit_is_set(UCSR0A, TXC0);
    cli();
    sleep_enable();
    sleep_cpu();
    for (;;) {
    }
}
