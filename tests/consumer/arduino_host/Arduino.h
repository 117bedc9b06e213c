// The little of the Arduino core that the library's examples use, on the
// host: Serial writes standard output, with Print's CR LF after a line,
// and main() runs setup() once. Compiled into the sketch with -include.
#ifndef HNDPOS_HOST_ARDUINO_H
#define HNDPOS_HOST_ARDUINO_H

#include <stdint.h>
#include <stdio.h>

struct HostSerial {
    void begin(unsigned long) {}
    void print(const char* text) { fputs(text, stdout); }
    void println(const char* text) {
        print(text);
        print("\r\n");
    }
    void flush() { fflush(stdout); }
};
inline HostSerial Serial;

void setup();
void loop();

int main() {
    setup();
    return fflush(stdout) == 0 ? 0 : 1;
}

#endif
