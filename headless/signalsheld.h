/*
 * signalsheld.h - which thread runs the cleanup of an interrupted save
 * (POSIX).
 *
 * SIGINT, SIGTERM and SIGHUP remove the temporary file of a save in
 * progress.  The thread that saves holds them off while it names or
 * renames that file; a signal must then wait for it, not run at once on
 * another thread.  So every other thread is started inside a SIGNALSHELD:
 * it inherits a mask that holds them off for its whole life, and they
 * always reach the thread that saves.
 */
#ifndef LUMO_SIGNALSHELD_H
#define LUMO_SIGNALSHELD_H

#include <csignal>

class SIGNALSHELD {
public:
    SIGNALSHELD();
    ~SIGNALSHELD();
    SIGNALSHELD(const SIGNALSHELD &) = delete;
    SIGNALSHELD &operator=(const SIGNALSHELD &) = delete;

private:
    sigset_t saved;
};

#endif
