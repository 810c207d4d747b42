#include "support/harness.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/wait.h>
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

// Keys by name: ordinary keys as GLUT delivers their characters, special
// keys as their GLUT codes plus 1000.
const std::map<std::string, int> kKeys = { { "Escape", 27 }, { "Space", ' ' }, { "Tab", '\t' }, { "Enter", '\r' },
    { "Up", 1000 + GLUT_KEY_UP }, { "Down", 1000 + GLUT_KEY_DOWN }, { "Left", 1000 + GLUT_KEY_LEFT },
    { "Right", 1000 + GLUT_KEY_RIGHT }, { "F11", 1000 + GLUT_KEY_F11 } };
const std::map<std::string, int> kStates = { { "credits", STATE_CREDITS }, { "title", STATE_TITLE },
    { "playing", STATE_PLAYING }, { "paused", STATE_PAUSED }, { "lost", STATE_LOST }, { "won", STATE_WON } };

bool playing() { return Eventloop::getState() == STATE_PLAYING; }

}  // namespace

void keys(const std::string& script, const std::function<void()>& frame)
{
    std::istringstream words(script);
    for (std::string w; words >> w;) {
        const std::string rest = w.substr(1);
        int n = 0, gap = 0;
        std::string every;
        if ((w[0] == '+' || w[0] == '-') && (kKeys.count(rest) || rest.size() == 1)) {
            const int k = kKeys.count(rest) ? kKeys.at(rest) : static_cast<unsigned char>(rest[0]);
            if (k >= 1000) w[0] == '+' ? Headless::pressSpecial(k - 1000) : Headless::releaseSpecial(k - 1000);
            else w[0] == '+' ? Headless::pressKey(k) : Headless::releaseKey(k);
        } else if (w[0] == '=') {
            Eventloop::switchState(kStates.count(rest) ? kStates.at(rest) : std::stoi(rest));
        } else if (w == "play" && words >> n) {
            for (; n > 0 && playing(); --n) frame();
        } else if (w == "talk" && words >> n >> every >> gap) {
            for (; n > 0; --n) {
                if (playing()) keys("+Space", frame), frame(), keys("-Space", frame);
                for (int i = 0; i <= gap && playing(); ++i) frame();
            }
        } else if (std::isdigit(static_cast<unsigned char>(w[0]))) {
            for (n = std::stoi(w); n > 0; --n) frame();
        } else {
            ADD_FAILURE() << "no such word in a key script: " << w;
        }
    }
}

std::string flushedOutput(const std::function<void()>& action, int* stateAfter)
{
    int ends[2];
    if (pipe(ends) != 0) std::abort();
    const pid_t child = fork();
    if (child == 0) {
        dup2(ends[1], 1);
        close(ends[0]);
        action();
        _exit(Eventloop::getState());
    }
    close(ends[1]);
    std::string out;
    char chunk[4096];
    for (ssize_t n; (n = read(ends[0], chunk, sizeof chunk)) > 0;) out.append(chunk, size_t(n));
    close(ends[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (stateAfter != nullptr) *stateAfter = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
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
