// HndposTextDisplay: stands in for a panel's display library in the
// examples. It takes the calls such libraries share (fillScreen, drawPixel,
// drawLine, display) and prints the frame over Serial as text, '#' for a
// lit pixel and '.' for a dark one, so that a sketch runs, and can be
// checked, without a panel (in simavr, for one).
//
// It keeps no frame: an Uno's 2 KB of RAM do not hold one of 320 x 240
// pixels. It keeps what was drawn (up to MaxShapes lines and pixels) and
// works the frame out row by row when display() prints it, with the same
// line as the panel libraries draw (Bresenham's, both ends included).
// Pixels outside the panel are left out, as a panel leaves them out.
#ifndef HNDPOS_TEXT_DISPLAY_H
#define HNDPOS_TEXT_DISPLAY_H

#include <Arduino.h>
#include <stdint.h>

#if defined(__AVR__)
#include <avr/interrupt.h>
#include <avr/sleep.h>
#endif

template <int Width, int Height, int MaxShapes = 80>
class HndposTextDisplay {
public:
    int width() const { return Width; }
    int height() const { return Height; }

    // Forgets what was drawn: the text display has one colour on black.
    void fillScreen(uint16_t) { count_ = 0; }

    void drawPixel(int16_t x, int16_t y, uint16_t colour) { drawLine(x, y, x, y, colour); }

    // A line whose colour is 0 draws nothing, as black on black.
    void drawLine(int16_t x0, int16_t y0, int16_t x1, int16_t y1, uint16_t colour) {
        if (colour == 0) return;
        if (count_ == MaxShapes) {
            overflowed_ = true;
            return;
        }
        shapes_[count_++] = Shape{x0, y0, x1, y1};
    }

    // Prints the frame, a row a line, and says when shapes were left out.
    void display() {
        uint8_t row[(Width + 7) / 8];
        for (int y = 0; y < Height; ++y) {
            for (int i = 0; i < (Width + 7) / 8; ++i) row[i] = 0;
            for (int s = 0; s < count_; ++s) rowOfLine(shapes_[s], y, row);
            char line[Width + 1];
            for (int x = 0; x < Width; ++x) line[x] = (row[x / 8] & (0x80u >> (x % 8))) ? '#' : '.';
            line[Width] = '\0';
            Serial.println(line);
        }
        if (overflowed_) Serial.println("(more shapes than the display keeps)");
    }

    // The end of a demonstration: what was sent has left; on AVR the
    // processor then sleeps with interrupts off, for good (simavr stops).
    void finish() {
        Serial.flush();
#if defined(__AVR__)
        cli();
        sleep_enable();
        sleep_cpu();
#endif
    }

private:
    struct Shape {
        int16_t x0, y0, x1, y1;
    };

    // The pixels of the line in row y: Bresenham's walk, kept where it
    // crosses the row.
    static void rowOfLine(const Shape& s, int y, uint8_t* row) {
        if (y < (s.y0 < s.y1 ? s.y0 : s.y1) || y > (s.y0 > s.y1 ? s.y0 : s.y1)) return;
        long x = s.x0, yy = s.y0;
        const long dx = s.x1 > s.x0 ? s.x1 - s.x0 : s.x0 - s.x1;
        const long dy = s.y1 > s.y0 ? s.y0 - s.y1 : s.y1 - s.y0;
        const int stepX = s.x0 < s.x1 ? 1 : -1;
        const int stepY = s.y0 < s.y1 ? 1 : -1;
        long error = dx + dy;
        for (;;) {
            if (yy == y && x >= 0 && x < Width) row[x / 8] |= (uint8_t)(0x80u >> (x % 8));
            if (x == s.x1 && yy == s.y1) return;
            const long twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                x += stepX;
            }
            if (twice <= dx) {
                error += dx;
                yy += stepY;
            }
        }
    }

    Shape shapes_[MaxShapes];
    int count_ = 0;
    bool overflowed_ = false;
};

#endif
