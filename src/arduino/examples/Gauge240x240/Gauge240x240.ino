// Gauge240x240: a gauge on a 240x240 round panel (GC9A01): a needle over 270 degrees
// in 61 positions and 11 ticks on the same arc, about the panel's middle, which lies
// between four pixels (119.5, 119.5). The needle is drawn anti-aliased from its masks:
// each pixel's exact share of the needle, in 2-bit levels, from tables that
// hndpos-tables computed on the PC and that live in program memory.
//
// With a colour panel, blend the needle's colour into the background by
// HNDPOS_NEEDLE_LEVEL(k, x, y) / 3 at each pixel of its box (or use
// needle_mask_blend_rgb565 into a frame, where the RAM holds one), and draw
// the ticks with drawLine. Here the needle's box is printed over Serial as
// text, one character a level (" .+#"), and the ticks' ends as numbers.
//
// The tables beside this sketch were written by these two commands; for
// another panel, run them with its centre, the needle's outline and the
// arc, and replace needle.c, needle.h, ticks.c and ticks.h:
//
//   hndpos-tables --center 119.5 119.5 --figure needle 61 "-12,-3 100,-1 104,0 100,1 -12,3" --arc needle -135 270 --mask needle 2 --bounds --rounding nearest --subpixel 4 --storage progmem --header needle.h --display 240 240 -o needle.c
//   hndpos-tables --center 119.5 119.5 --figure ticks 11 "108,0 118,0" --arc ticks -135 270 --rounding nearest --subpixel 4 --storage progmem --prefix ticks_ --header ticks.h --display 240 240 -o ticks.c
//
// Entries are in 1/16 pixel (--subpixel 4): a point's pixel is its entry
// shifted right by 4.
#include <stdio.h>
#if defined(__AVR__)
#include <avr/interrupt.h>
#include <avr/sleep.h>
#endif

#include "needle.h"
#include "ticks.h"

static void printLine(const char* text) { Serial.println(text); }

// The needle at the position a reading on a scale of 0 to 100 gives.
void drawReading(int value) {
  const unsigned k = HNDPOS_NEEDLE_POSITION_OF(value, 0, 100);
  char line[64];
  snprintf(line, sizeof line, "reading %d of 100: position %u", value, k);
  printLine(line);
  // The box of its corners, in pixels, and a pixel more each way: a pixel
  // the outline only touches may hold a share of it.
  const long left = (long)(HNDPOS_NEEDLE_BOUND(k, 0) >> 4) - 1, top = (long)(HNDPOS_NEEDLE_BOUND(k, 1) >> 4) - 1;
  const long right = (long)(HNDPOS_NEEDLE_BOUND(k, 2) >> 4) + 1, bottom = (long)(HNDPOS_NEEDLE_BOUND(k, 3) >> 4) + 1;
  snprintf(line, sizeof line, "box %ld,%ld to %ld,%ld", left, top, right, bottom);
  printLine(line);
  static const char shades[] = " .+#";
  for (long y = top; y <= bottom; ++y) {
    char row[242];
    int n = 0;
    for (long x = left; x <= right && n < 240; ++x) row[n++] = shades[HNDPOS_NEEDLE_LEVEL(k, x, y)];
    row[n] = '\0';
    printLine(row);
  }
}

void setup() {
  Serial.begin(115200);
  printLine("Gauge240x240");
  char line[64];
  for (unsigned k = 0; k < TICKS_HNDPOS_TICKS_POSITIONS; ++k) {
    snprintf(line, sizeof line, "tick %u: %u,%u to %u,%u", k, (unsigned)(TICKS_HNDPOS_TICKS_X(k, 0) >> 4),
             (unsigned)(TICKS_HNDPOS_TICKS_Y(k, 0) >> 4), (unsigned)(TICKS_HNDPOS_TICKS_X(k, 1) >> 4),
             (unsigned)(TICKS_HNDPOS_TICKS_Y(k, 1) >> 4));
    printLine(line);
  }
  drawReading(0);
  drawReading(37);
  drawReading(100);
  Serial.flush();
#if defined(__AVR__)
  cli();
  sleep_enable();
  sleep_cpu();
#endif
}

void loop() {}
