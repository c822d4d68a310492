/*
 * earlyflush.h - a save's data sent to the disk while the file is still
 * being written.
 *
 * Making a file durable costs about a millisecond per megabyte on a
 * virtual disk, all of it waiting.  A save that is written while its image
 * is still being rendered has that time to spare: a background thread
 * syncs the data as the file grows, and the commit's fsync is left with
 * the last part and the file's metadata.
 */
#ifndef LUMO_EARLYFLUSH_H
#define LUMO_EARLYFLUSH_H

struct EARLYFLUSH;

/* For the open file fd; nothing runs until the file has grown. */
EARLYFLUSH *earlyflush_start(int fd);

/* The file now holds size bytes. */
void earlyflush_grown(EARLYFLUSH *flush, long long size);

/* Waits for a sync in progress and frees the record.  Returns 0, or the
   errno of a sync that failed: the system reports a write error to only
   one sync of a file, so the caller's own fsync may not see it again. */
int earlyflush_finish(EARLYFLUSH *flush);

#endif
