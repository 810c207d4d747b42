#ifndef MORVELLANT_LEVELCHECK_WHOLEFILE_H
#define MORVELLANT_LEVELCHECK_WHOLEFILE_H

#include <string>
#include <vector>

// Puts bytes in a file all at once or not at all: they go to a temporary file
// beside it, which replaces the file only once every byte is written, and is
// removed when anything fails. A reader never sees half a file, and a failed
// write leaves whatever was there before. Only a regular file is replaced:
// never a directory, a device or a pipe that happens to bear the name.
// Returns an empty string on success, else the reason it failed.
std::string writeWholeFile(const std::string& path, const std::vector<unsigned char>& bytes);

#endif
