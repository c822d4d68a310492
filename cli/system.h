/*
 * system.h - the little lumo needs from the operating system beyond
 * standard C++: threads, a sleep, and whether standard error is a
 * terminal.  One file per system implements it: system_posix.cpp (any
 * POSIX system, with std::thread) and system_win32.cpp (Windows, where the
 * mingw-w64 compilers' win32 thread model has no std::thread).
 */
#ifndef LUMO_SYSTEM_H
#define LUMO_SYSTEM_H

#include <cstddef>
#include <cstdio>

/* The number of hardware threads, at least 1. */
int system_hardwarethreads();

/* Non-zero when standard error goes to a terminal (a console). */
int system_stderristerminal();
/* Non-zero when standard output goes to a terminal, and when it goes to a
   pipe or socket. */
int system_stdoutisterminal();
int system_stdoutispipe();

void system_sleepms(int milliseconds);
/* Gives the processor to another thread that is ready to run, if any. */
void system_yield();

/* Up to n threads, thread k running fn(args[k]), joined by workers_join;
   when the system refuses a thread, the ones started so far stay. */
struct WORKERS;
WORKERS *workers_start(int n, void (*fn)(void *), void *const *args);
/* How many threads did start. */
int workers_count(const WORKERS *workers);
/* Waits for every thread to end and frees the record. */
void workers_join(WORKERS *workers);

#endif
