/* The board: QEMU's lm3s6965evb, the text through semihosting to the
   simulator's standard output; exit() ends the simulation. */
#include <stdio.h>
#include <stdlib.h>

#include "clock.h"

void initialise_monitor_handles(void);

void board_init(void) { initialise_monitor_handles(); }
void board_put(char c) { (void)putchar(c); }
void board_stop(void) { exit(fflush(stdout) == 0 ? 0 : 1); }
