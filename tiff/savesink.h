/*
 * savesink.h - the one way every file of the program is saved.
 *
 * A sink collects the bytes of one file and hands them to the platform's
 * save (common/platform.h) in large blocks: the target is replaced whole
 * when the sink is committed, or left exactly as it was when the save
 * fails or is abandoned.
 *
 * Errors are sticky: after the first failure every call returns that
 * error and writes nothing, so a writer may check only now and then (and
 * must check the commit).  Error values are errno values, or
 * SAVEFILE_NOTREGULAR; savesink_reason says them in words.
 */
#ifndef LUMO_SAVESINK_H
#define LUMO_SAVESINK_H

#include <cstddef>
#include <cstdint>

struct SAVESINK;

/* Starts a save of path.  Returns the sink, or null with *error set when
   the target is refused or the temporary file cannot be made. */
SAVESINK *savesink_open(const char *path, int *error);

/* Appends count bytes.  Returns 0 or the sink's error. */
int savesink_write(SAVESINK *sink, const void *bytes, size_t count);

/* Overwrites count bytes already written, from offset on (a header whose
   lengths are known only at the end).  Returns 0 or the sink's error. */
int savesink_patch(SAVESINK *sink, int64_t offset, const void *bytes, size_t count);

/* Bytes written so far, and the first error (0 when none). */
int64_t savesink_size(const SAVESINK *sink);
int savesink_error(const SAVESINK *sink);

/* Ends the save and frees the sink.  commit puts the file in place and
   returns 0, or the error with the target left as it was; abort throws
   the file away. */
int savesink_commit(SAVESINK *sink);
void savesink_abort(SAVESINK *sink);

/* The reason for an error value, as a short sentence without a full stop
   ("No such file or directory"). */
const char *savesink_reason(int error);

#endif
