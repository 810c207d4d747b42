#ifndef MORVELLANT_TESTS_LEVELFILE_H
#define MORVELLANT_TESTS_LEVELFILE_H

#include <string>
#include <vector>

// Games read Content/city1.troklevel from the working directory. A test that
// needs its own level enters a fresh temporary directory and writes it there;
// every test case runs in its own process, so the change of directory stays
// within the case.
std::string enterTemporaryDirectory();

// Writes the level file: the magic line, the size taken from the rows (the
// first row's length, the number of rows), then the rows.
void writeLevel(const std::vector<std::string>& rows);
// Writes the level file with exactly this text.
void writeLevelText(const std::string& text);
void removeLevel();

#endif
