/* The clock's dial drawn into a 1-bit frame buffer and printed as text,
   the same on a microcontroller and on a PC. */
#ifndef DIAL_H
#define DIAL_H

/* Bytes per row of a frame buffer: 8 pixels to a byte, leftmost in bit 7. */
#define DIAL_ROW_BYTES(width) (((width) + 7) / 8)

/* Where the text goes: a UART, semihosting or standard output. */
typedef void (*dial_put)(char c);

void dial_clear(unsigned char* frame, int width, int height);

/* Sets the pixels of the line from (x0, y0) to (x1, y1), Bresenham's, as
   firmware draws a hand; pixels outside the panel are left out. */
void dial_line(unsigned char* frame, int width, int height, long x0, long y0, long x1, long y1);

/* Fills the polygon of `count` points (xs[i], ys[i]), as firmware fills a
   hand drawn as a shape: a pixel is lit when its centre lies inside (the
   scanline rule: left edges in, right edges out), then the outline is drawn
   over it, so that a polygon thinner than a pixel still shows. Up to 64
   points; pixels outside the panel are left out. */
void dial_fill_polygon(unsigned char* frame, int width, int height, const long* xs, const long* ys, int count);

/* One line of text per row, '#' for a set pixel and '.' for a clear one. */
void dial_print(const unsigned char* frame, int width, int height, dial_put put);

void dial_print_text(const char* text, dial_put put);
void dial_print_number(long value, dial_put put);

#endif
