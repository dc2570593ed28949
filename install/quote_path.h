// Adds or strips the double quotes around a path, in place.
#pragma once

namespace kv {

// `path` is a buffer of 260 bytes (terminator included).
// add true: a path that contains a blank and does not begin with a double
//   quote is surrounded by double quotes. When the quoted path would not fit
//   the buffer, the path is left unchanged and false is returned.
// add false: a leading double quote is dropped, and then a trailing one.
// Returns true when the path is as asked (changed or already so).
bool QuotePath(char* path, bool add);

}  // namespace kv
