#include "support/harness.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <GL/glut.h>

#include <cmath>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "Game/gamestates.h"

void gameFrame()
{
    Headless::advanceClock(16);
    Headless::display();
}

namespace {

const std::map<std::string, unsigned char> kKeys = { { "Escape", 27 }, { "Space", ' ' }, { "Tab", '\t' },
                                                     { "Enter", '\r' } };
const std::map<std::string, int> kSpecialKeys = { { "Up", GLUT_KEY_UP }, { "Down", GLUT_KEY_DOWN },
                                                  { "Left", GLUT_KEY_LEFT }, { "Right", GLUT_KEY_RIGHT },
                                                  { "F11", GLUT_KEY_F11 } };
const std::map<std::string, int> kStates = { { "credits", STATE_CREDITS }, { "title", STATE_TITLE },
                                             { "playing", STATE_PLAYING }, { "paused", STATE_PAUSED },
                                             { "lost", STATE_LOST }, { "won", STATE_WON } };

void key(const std::string& name, bool down)
{
    if (kSpecialKeys.count(name)) {
        down ? Headless::pressSpecial(kSpecialKeys.at(name)) : Headless::releaseSpecial(kSpecialKeys.at(name));
        return;
    }
    if (!kKeys.count(name) && name.size() != 1) {
        ADD_FAILURE() << "no key named " << name;
        return;
    }
    const unsigned char k = kKeys.count(name) ? kKeys.at(name) : static_cast<unsigned char>(name[0]);
    down ? Headless::pressKey(k) : Headless::releaseKey(k);
}

bool playing() { return Eventloop::getState() == STATE_PLAYING; }

}  // namespace

void keys(const std::string& script, const std::function<void()>& frame)
{
    std::istringstream words(script);
    for (std::string w; words >> w;) {
        if (w[0] == '+' || w[0] == '-') {
            key(w.substr(1), w[0] == '+');
        } else if (w[0] == '=') {
            const std::string state = w.substr(1);
            Eventloop::switchState(kStates.count(state) ? kStates.at(state) : std::stoi(state));
        } else if (w == "play") {
            int n = 0;
            words >> n;
            for (; n > 0 && playing(); --n) frame();
        } else if (w == "talk") {
            int n = 0, gap = 0;
            std::string every;
            words >> n >> every >> gap;
            for (; n > 0; --n) {
                if (playing()) {
                    Headless::pressKey(' ');
                    frame();
                    Headless::releaseKey(' ');
                }
                for (int i = 0; i <= gap && playing(); ++i) frame();
            }
        } else if (std::isdigit(static_cast<unsigned char>(w[0]))) {
            for (int n = std::stoi(w); n > 0; --n) frame();
        } else {
            ADD_FAILURE() << "no such word in a key script: " << w;
        }
    }
}

std::string rgba(const Color& c)
{
    return std::to_string(c.getr()) + " " + std::to_string(c.getg()) + " " + std::to_string(c.getb()) + " " +
           std::to_string(c.geta());
}


void writeLevel(const std::vector<std::string>& rows)
{
    static std::string directory;
    if (directory.empty()) {
        char name[] = "/tmp/morvellant-test-XXXXXX";
        if (mkdtemp(name) == nullptr || chdir(name) != 0 || mkdir("Content", 0755) != 0) std::abort();
        directory = name;
        std::atexit([] { std::filesystem::remove_all(directory); });
    }
    std::ofstream file("Content/city1.troklevel", std::ios::trunc);
    file << "!MorvellantMapFile\n" << (rows.empty() ? 0 : rows[0].size()) << " " << rows.size() << "\n";
    for (const std::string& row : rows) file << row << "\n";
}

static std::deque<int> g_queued;
static size_t g_draws = 0;

void queueDraw(float min, float max, float value)
{
    // randomFloat: min + n / 2147483647 * (max - min), the span in floats.
    g_queued.push_back(int(std::lround((double(value) - min) / double(max - min) * 2147483647.0)));
}

size_t draws() { return g_draws; }

extern "C" int rand(void) noexcept
{
    static const auto library = reinterpret_cast<int (*)()>(dlsym(RTLD_NEXT, "rand"));
    ++g_draws;
    if (g_queued.empty()) return library();
    const int value = g_queued.front();
    g_queued.pop_front();
    return value;
}

// Run whole, the binary would carry one case's engine state into the next.
struct OneCasePerProcess : ::testing::EmptyTestEventListener
{
    void OnTestProgramStart(const ::testing::UnitTest& unit) override
    {
        if (unit.test_to_run_count() == 1) return;
        std::puts("Each case needs a process of its own: run them with ctest, or one with --gtest_filter=Suite.Case.");
        std::fflush(stdout);
        std::_Exit(2);
    }
};

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new OneCasePerProcess);
    return RUN_ALL_TESTS();
}
