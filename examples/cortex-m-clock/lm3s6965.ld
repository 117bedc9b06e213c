/* The TI Stellaris LM3S6965 (QEMU's lm3s6965evb): 256 KB of flash at 0,
   64 KB of RAM at 0x20000000. The vector table opens the flash; .data is
   loaded into flash and copied to RAM by the reset handler. */
MEMORY
{
    FLASH (rx) : ORIGIN = 0x00000000, LENGTH = 256K
    RAM (rwx) : ORIGIN = 0x20000000, LENGTH = 64K
}

ENTRY(reset_handler)

SECTIONS
{
    .text :
    {
        KEEP(*(.vectors))
        *(.text*)
        *(.rodata*)
        . = ALIGN(4);
    } > FLASH

    .ARM.exidx : { *(.ARM.exidx*) } > FLASH

    .data : ALIGN(4)
    {
        __data_start__ = .;
        *(.data*)
        . = ALIGN(4);
        __data_end__ = .;
    } > RAM AT > FLASH
    __data_load__ = LOADADDR(.data);

    .bss (NOLOAD) : ALIGN(4)
    {
        __bss_start__ = .;
        *(.bss*)
        *(COMMON)
        . = ALIGN(4);
        __bss_end__ = .;
    } > RAM

    /* The heap (newlib's malloc, through sbrk) grows up from here; the
       stack grows down from the top of RAM. */
    end = .;
    __end__ = .;
    __stack_top__ = ORIGIN(RAM) + LENGTH(RAM);
}
