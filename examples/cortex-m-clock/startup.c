/* The Cortex-M3's start: the vector table (the initial stack pointer, then
   the reset handler) and a reset handler that sets up RAM and runs main. */
#include <stdlib.h>

extern unsigned long __data_load__[], __data_start__[], __data_end__[], __bss_start__[], __bss_end__[];
extern unsigned long __stack_top__[];
int main(void);
void reset_handler(void);

static void halt(void) {
    for (;;) {
    }
}

struct vector_table {
    unsigned long* stack_top;
    void (*handlers[15])(void); /* reset, NMI, faults, SVCall, PendSV, SysTick */
};

__attribute__((section(".vectors"), used)) static const struct vector_table vectors = {
    __stack_top__,
    {reset_handler, halt, halt, halt, halt, halt, 0, 0, 0, 0, halt, halt, 0, halt, halt},
};

void reset_handler(void) {
    unsigned long* from = __data_load__;
    unsigned long* to;
    for (to = __data_start__; to < __data_end__;) *to++ = *from++;
    for (to = __bss_start__; to < __bss_end__;) *to++ = 0;
    exit(main());
}
