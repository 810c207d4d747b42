#ifndef MORVELLANT_BASE_HOSTPLATFORM_H
#define MORVELLANT_BASE_HOSTPLATFORM_H

#include <string>

// True while the host stores multi-byte integers most-significant byte first.
// Starts true so that a missed setHostEndian() is noticed as swapped bytes.
extern bool hostBigEndian;

int setHostEndian();

// Converts a 16-bit value read from a little-endian file to host order.
short endianLEtoHs(short inBytes);

// Makes the directory holding Content/ the working directory.
// The name is kept from the bundle-based original; on Linux it looks beside
// the executable, then in the installed layouts <bindir>/../share/morvellant
// and <gamesdir>/../share/games/morvellant.
// Returns 0 when it entered a directory, -1 when chdir failed, and 1 when no
// directory with Content/ was found (the working directory is left alone).
int MacSetPathToBundleResources();

// The lookup itself, for a given executable directory: the directory itself,
// then <dir>/../share/morvellant, then <dir>/../share/games/morvellant. Same
// results as above.
int enterResourceDirectory(const std::string& executableDir);

#endif
