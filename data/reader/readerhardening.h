#pragma once

// Confinement of the reader process, one implementation per platform.

namespace quill {

// Limits the reader puts on itself first of all (memory, CPU time, its output pipe), where the
// platform has them.
void limitReader();

// The reader's exit status when it could not confine itself: it parses nothing then.
inline constexpr int kReaderNotConfined = 3;

// Called once the reader has opened everything it will need (the database read into memory,
// libmdb's text converters loaded) and before libmdb parses the file's tables. From then on the
// process may compute, manage its memory, write to standard output and standard error and exit;
// anything else kills it. False when that cannot be set up.
bool confineReader();

} // namespace quill
