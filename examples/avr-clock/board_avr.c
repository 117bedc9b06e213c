/* The board: an ATmega328P at 16 MHz, the text on USART0. */
#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/sleep.h>

#include "clock.h"

void board_init(void) {
    UBRR0H = 0;
    UBRR0L = 16; /* 115200 baud at 16 MHz with U2X0: 16 MHz / (8 * 17) */
    UCSR0A = _BV(U2X0);
    UCSR0B = _BV(TXEN0);
    UCSR0C = _BV(UCSZ01) | _BV(UCSZ00); /* 8 data bits, no parity, 1 stop bit */
}

void board_put(char c) {
    loop_until_bit_is_set(UCSR0A, UDRE0);
    UDR0 = (unsigned char)c;
}

/* Waits for the last character to leave, then sleeps with interrupts off:
   the end of the program (a simulator stops there). */
void board_stop(void) {
    loop_until_bit_is_set(UCSR0A, TXC0);
    cli();
    sleep_enable();
    sleep_cpu();
    for (;;) {
    }
}
