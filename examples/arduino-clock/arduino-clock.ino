// arduino-clock: where the hands of a clock point at a few times, read
// from tables that hndpos computed on the PC and that live in the Uno's
// program memory (hndpos-view --emit progmem writes them).
#include <avr/sleep.h>

#include "hpostbl.h"

static void print_tip(const char *name, int hand, unsigned index) {
  Serial.print(name);
  Serial.print(' ');
  Serial.print(HNDPOS_TIP_X(hand, index));
  Serial.print(',');
  Serial.print(HNDPOS_TIP_Y(hand, index));
}

static void print_time(int h, int m, int s) {
  if (h < 10) Serial.print('0');
  Serial.print(h);
  Serial.print(m < 10 ? ":0" : ":");
  Serial.print(m);
  Serial.print(s < 10 ? ":0" : ":");
  Serial.print(s);
  print_tip(" hour", 0, HNDPOS_HOUR_INDEX(h, m, s));
  print_tip(" minute", 1, HNDPOS_MINUTE_INDEX(m, s));
  print_tip(" second", 2, HNDPOS_SECOND_INDEX(s, 0));
  Serial.println();
}

void setup() {
  Serial.begin(115200);
  Serial.print("centre ");
  Serial.print(HNDPOS_CENTER_X);
  Serial.print(',');
  Serial.println(HNDPOS_CENTER_Y);
  print_time(10, 8, 30);
  print_time(3, 0, 0);
  print_time(7, 41, 53);
  // The end: what is sent has left, and the processor sleeps for good.
  Serial.flush();
  cli();
  sleep_enable();
  sleep_cpu();
}

void loop() {}
