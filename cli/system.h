/*
 * system.h - the little lumo needs from the operating system beyond
 * standard C++: threads, a sleep, and whether standard error is a
 * terminal.  One file per system implements it: system_posix.cpp (any
 * POSIX system, with std::thread) and system_win32.cpp (Windows, where the
 * mingw-w64 compilers' win32 thread model has no std::thread).
 */
#ifndef LUMO_SYSTEM_H
#define LUMO_SYSTEM_H

/* The number of hardware threads, at least 1. */
int system_hardwarethreads();

/* Non-zero when standard error goes to a terminal (a console). */
int system_stderristerminal();

void system_sleepms(int milliseconds);

/* n threads, thread k running fn(args[k]), joined by workers_join. */
struct WORKERS;
WORKERS *workers_start(int n, void (*fn)(void *), void *const *args);
/* Waits for every thread to end and frees the record. */
void workers_join(WORKERS *workers);

#endif
