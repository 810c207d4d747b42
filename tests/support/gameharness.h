#ifndef MORVELLANT_TESTS_GAMEHARNESS_H
#define MORVELLANT_TESTS_GAMEHARNESS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The whole program on the recording double: the real start-up and worlds,
// driven frame by frame with scripted keys and virtual time. The engine keeps
// process-wide state, so build one harness per test process.
class GameHarness
{
public:
    static const uint32_t kFrameMs = 16;

    GameHarness();

    // One frame: advance the clock, then run GLUT's display callback.
    void frame(uint32_t ms = kFrameMs);
    void frames(int count, uint32_t ms = kFrameMs);

    // Key events arrive between frames, as GLUT delivers them.
    void press(unsigned char key);
    void release(unsigned char key);
    void pressSpecial(int key);
    void releaseSpecial(int key);
    // Press, one frame, release, one frame.
    void tap(unsigned char key);

    // From start-up through the credits to the title screen; then Space,
    // whose first playing frame builds the game.
    void toTitle() { frames(2); tap('x'); }
    void startPlaying() { toTitle(); tap(' '); }

    int state() const;
};

// Games read Content/city1.troklevel from the working directory. A test that
// needs its own level enters a fresh temporary directory (removed when the
// process ends) and writes it there; every test case runs in its own process,
// so the change of directory stays within the case.
void enterTemporaryDirectory();
// The magic line, the size taken from the rows (the first row's length, the
// number of rows), then the rows.
void writeLevel(const std::vector<std::string>& rows);

// How often part occurs in text (overlaps counted).
size_t occurrences(const std::string& text, const std::string& part);

#endif
