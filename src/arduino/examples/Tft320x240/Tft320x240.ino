// Tft320x240: a clock's dial on a 320x240 TFT (ILI9341, ST7789): 60 ticks and the hour,
// minute and second hand, drawn with the calls of the panel's library
// (Adafruit_ILI9341 or TFT_eSPI: drawLine, drawPixel) from tables that hndpos-tables
// computed exactly on the PC and that live in program memory.
//
// HndposTextDisplay stands in for the panel here and prints the frame over
// Serial as text; with a panel, construct its library's display instead
// and keep the drawing as it is.
//
// The tables beside this sketch were written by these two commands; for
// another panel, run them with its centre and radii (and the positions a
// hand should have) and replace hands.c, hands.h, ticks.c and ticks.h:
//
//   hndpos-tables --center 159 119 --radii 60 90 100 --positions 720 60 60 --storage progmem --header hands.h --display 320 240 -o hands.c
//   hndpos-tables --center 159 119 --radii 108 115 0 --positions 60 60 1 --storage progmem --prefix ticks_ --header ticks.h --display 320 240 -o ticks.c
//
// The centre 159,119 is the upper left of the panel's four middle pixels: on an even-sized panel no pixel is the middle.
// The ticks' tables are a second pair of radii at the ticks' positions:
// tick k runs from the inner tip (the "hour hand", radius one) to the outer
// tip (the "minute hand", radius two); the third hand is unused.
#include <HndposTextDisplay.h>

#include "hands.h"
#include "ticks.h"

HndposTextDisplay<320, 240> display;
const uint16_t lit = 1;

void drawDial(int h, int m, int s) {
  display.fillScreen(0);
  for (unsigned k = 0; k < TICKS_HNDPOS_HOUR_POSITIONS; ++k)
    display.drawLine(TICKS_HNDPOS_TIP_X(0, k), TICKS_HNDPOS_TIP_Y(0, k), TICKS_HNDPOS_TIP_X(1, k), TICKS_HNDPOS_TIP_Y(1, k), lit);
  const unsigned hands[3] = {HNDPOS_HOUR_INDEX(h, m, s), HNDPOS_MINUTE_INDEX(m, s), HNDPOS_SECOND_INDEX(s, 0)};
  for (int hand = 0; hand < 3; ++hand)
    display.drawLine(HNDPOS_CENTER_X, HNDPOS_CENTER_Y, HNDPOS_TIP_X(hand, hands[hand]), HNDPOS_TIP_Y(hand, hands[hand]), lit);
  display.drawPixel(HNDPOS_CENTER_X, HNDPOS_CENTER_Y, lit);
  display.display();
}

void setup() {
  Serial.begin(115200);
  Serial.println("Tft320x240 at 10:08:30");
  drawDial(10, 8, 30);
  display.finish();
}

void loop() {}
