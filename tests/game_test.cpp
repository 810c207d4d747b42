// The whole program on the recording double: the real start-up and worlds,
// keys at virtual times, the exact standard output and what is drawn.

#include <GL/gl.h>
#include <GL/glut.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "Base/initialize.h"
#include "Game/gameinit.h"
#include "Game/gamestates.h"
#include "Game/trokbehavior.h"
#include "Game/trokdisplay.h"
#include "Game/trokmovement.h"
#include "Game/trokview.h"
#include "Game/trokworld.h"
#include "support/harness.h"

namespace {

// The real start-up and worlds, driven frame by frame with virtual time.
struct GameHarness
{
    GameHarness()
    {
        gldouble::reset();
        initTrokEngine();
        initGameWorlds();
    }
    int state() const { return Eventloop::getState(); }
};

struct WorldProbe : TrokWorld
{
    static const std::vector<TrokObject*>& objectsOf(const TrokWorld& w) { return w.*(&WorldProbe::objects); }
    static const BasicCamera& cameraOf(const TrokWorld& w) { return w.*(&WorldProbe::cam); }
    // Nothing left of a game: not running, no objects, no activist, nothing listed.
    static bool noGame(const TrokWorld& w)
    {
        return !(w.*(&WorldProbe::gameRunning)) && objectsOf(w).empty() && !w.trok && PhysicsProbe::list().empty();
    }
    static TrokWorld& registered()  // the game world start-up registered
    {
        for (WorldObject* world : FrameRate::worlds()) {
            if (TrokWorld* found = dynamic_cast<TrokWorld*>(world)) return *found;
        }
        std::abort();
    }
};

const char* const kUnknown = "UIWorld::output() -- unrecognized state";
const char* const kCredits =
    "The Morvellant\n \n \t\t\t\t\tby the Morvellant team \n \t\t\t\t\tfor the Morvellant winter game jam \n"
    " \t\t\t\t\t(https://morvellant.example.org) \n \t\t\t\t\t(press any key to continue)\n";
const char* const kTitle =
    "               THE MORVELLANT\n\n\n \t\t\t\t\t\tNEW GAME: Press Spacebar\n \t\t\t\t\t\tQUIT: Press Escape\n";
const char* const kPaused = "               PAUSED\n\n\nRETURN TO GAME: Press Escape\nQUIT TO TITLE: Press Spacebar\n";
const char* const kLost = "YOU LOSE.\n\n\n(press the escape key to continue)\n";
const char* const kWon = "YOU WIN!!!\n\n\n(press the escape key to continue)\n";
// The screens world clears depth and switches lighting off first; it darkens
// the scene with a quad drawn without depth writes before its white text.
const char* const kHead = "glClear 256|glDisable 2896|";
const char* const kQuad = "glColor4ubv 0 0 0 96|glDepthMask 0|glBegin 7|glVertex3f 0 0 0|glVertex3f 5 0 0|"
                          "glVertex3f 5 5 0|glVertex3f 0 5 0|glEnd|glDepthMask 1|glColor4ubv 255 255 255 255|";

// Through the credits and the title: Space's first playing frame builds the game.
const char* const kToTheGame = "2 +x 1 -x 1 +Space 1 -Space 1";

std::string status(int total, int police, int allies, int citizens)
{
    return "Status: \n   totalAgents: " + std::to_string(total) + "\n   policeCount: " + std::to_string(police) +
           "\n   allyCount: " + std::to_string(allies) + "\n   Remaining Citizens: " + std::to_string(citizens) + "\n";
}

}  // namespace

// One frame at a time: the keys before it, the text it draws in a window of
// a new size (the frame runs in the state before any change; both cameras
// follow the size at once) and the state after it. The marker cubes show in
// every frame without a game on show.
TEST(Screens, KeysWalkTheStatesAndEachStateDrawsItsText)
{
    writeLevel({ "@" });
    GameHarness game;
    std::string start;
    for (const gldouble::Call& call : gldouble::calls()) {
        start += call.name + (call.args.empty() ? "" : " " + std::to_string(int(call.args[0]))) + call.text + "|";
    }
    EXPECT_EQ(start, "glutInitDisplayMode 18|glutInitWindowSize 1000|glutInitWindowPosition 30|glutCreateWindowdefault|"
                     "glutReshapeFunc|glutKeyboardFunc|glutKeyboardUpFunc|glutSpecialFunc|glutSpecialUpFunc|"
                     "glutDisplayFunc|glutIdleFunc|glClearDepth 1|glClearColor 0|glColorMaterial 1028|glEnable 2903|"
                     "glEnable 2896|glCullFace 1029|glShadeModel 7424|glBlendFunc 770|glEnable 3042|glEnable 2929|"
                     "glutIgnoreKeyRepeat 1|glClearColor 0|");
    EXPECT_EQ(gldouble::callsNamed("glBlendFunc")[0].args[1], GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(gldouble::calls().back().args, (std::vector<double>{ 15 / 255.0f, 0, 32 / 255.0f, 1 }));
    // Each row: the keys given, the text of the frame that follows them (still the state before any
    // switch they cause), and the state after that frame.
    const struct { const char* keys; const char* text; int stateAfter; } walk[] = {
        { "+Escape", kUnknown, STATE_CREDITS }, { "-Escape", kCredits, STATE_CREDITS },  // a release is no key press
        { "+Space", kCredits, STATE_TITLE }, { "", kTitle, STATE_TITLE },                  // nor does it start a game
        { "-Space", kTitle, STATE_TITLE }, { "+Space", kTitle, STATE_PLAYING },
        { "+Escape", nullptr, STATE_PAUSED }, { "-Escape", kPaused, STATE_PAUSED },
        { "-Space", kPaused, STATE_TITLE },  // the Space held when pausing acts on release
        { "+Space", kTitle, STATE_PLAYING }, { "-Space +Escape", nullptr, STATE_PAUSED },
        { "-Escape", kPaused, STATE_PAUSED }, { "+Escape", kPaused, STATE_PLAYING },
        { "-Escape +Space", nullptr, STATE_PLAYING }, { "+Escape", nullptr, STATE_PAUSED },
        { "-Escape", kPaused, STATE_PAUSED },
        { "+Escape -Space", kPaused, STATE_TITLE },  // Space's release wins over Escape
        { "-Escape", kTitle, STATE_TITLE },          // and that Escape does not end it all
        { "=paused", kTitle, STATE_PAUSED }, { "+Space", kPaused, STATE_PAUSED },  // paused with no game
        { "-Space", kPaused, STATE_TITLE }, { "=lost", kTitle, STATE_LOST },
        { "+Space", kLost, STATE_LOST }, { "-Space +Escape", kLost, STATE_TITLE },  // the end screens ignore Space
        { "-Escape =won", kTitle, STATE_WON }, { "+Space", kWon, STATE_WON }, { "-Space +Escape", kWon, STATE_TITLE },
        { "-Escape =9", kTitle, 9 }, { "+Escape", kUnknown, 9 }, { "-Escape =playing", kUnknown, STATE_PLAYING },
    };
    int width = 400;
    for (const auto& step : walk) {
        keys(step.keys);
        const int during = game.state();
        width += 10;
        gldouble::clearCalls();
        Headless::reshape(width, 500);
        gameFrame();
        std::string text, trace;
        std::vector<std::vector<double>> rasters;
        for (const gldouble::Call& call : gldouble::calls()) {
            if (call.name == "glClear" && call.args[0] == GL_DEPTH_BUFFER_BIT) trace.clear();
            std::ostringstream args;
            for (double arg : call.args) args << " " << arg;
            trace += call.name + args.str() + "|";
            if (call.name == "glRasterPos3fv") {
                text += rasters.empty() ? "" : "\n";  // every line starts at a raster position of its own
                rasters.push_back(call.args);
            }
            if (call.name == "glutBitmapCharacter" && call.args[1] == 18) text += char(call.args[0]);
        }
        SCOPED_TRACE(step.keys);
        EXPECT_EQ(gldouble::calls()[0].args, (std::vector<double>{ 0, 0, double(width), 500 }));
        EXPECT_EQ(gldouble::callsNamed("glClear")[0].args[0], GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        EXPECT_FLOAT_EQ(gldouble::callsNamed("gluPerspective").back().args[1], width / 500.0f);
        EXPECT_FLOAT_EQ(gldouble::callsNamed("glOrtho").back().args[1], width / 500.0f);
        EXPECT_EQ(gldouble::callsNamed("glutSolidCube").empty(), during == STATE_PLAYING || during == STATE_PAUSED);
        if (step.text != nullptr) {
            // Each line starts at the same x, 0.05 below the last.
            const bool centred = step.text != kCredits && step.text != kUnknown;
            std::string wanted = step.text;  // tabs take no room: they are not drawn at all
            wanted.erase(std::remove(wanted.begin(), wanted.end(), '\t'), wanted.end());
            EXPECT_EQ(text, wanted);
            EXPECT_EQ(trace.rfind(kHead, 0), 0u);
            EXPECT_NE(trace.find(kQuad), std::string::npos);
            for (size_t i = 0; i < rasters.size(); ++i) {
                EXPECT_FLOAT_EQ(rasters[i][0], centred ? 0.3f * width / 500 : 0.1f);
                EXPECT_NEAR(rasters[i][1], (centred ? 0.65 : 0.5) - 0.05 * i, 1e-6);
            }
            EXPECT_EQ(rasters.size(), size_t(std::count(text.begin(), text.end(), '\n') + 1));
        }
        ASSERT_EQ(game.state(), step.stateAfter);
    }
    // Playing: the frame rate in default stream formatting, no darkening.
    keys("40");
    gldouble::clearCalls();
    gameFrame();
    std::string text;
    for (const auto& call : gldouble::callsNamed("glutBitmapCharacter")) text += char(call.args[0]);
    // Frames of 16 ms: 16 frames a sample, so the smoothed rate nears 16 / 0.25 = 64, and what the line
    // shows is that averaged with the rate since the last sample (read off a run), in six significant digits.
    EXPECT_EQ(text, "fps: 61.8182");
    EXPECT_EQ(gldouble::callsNamed("glRasterPos3fv")[0].args, (std::vector<double>{ 0, 0.07f, 0 }));
    EXPECT_EQ(gldouble::callsNamed("glDepthMask").size(), 0u);
    Headless::reshape(300, 0);
    gameFrame();
    EXPECT_EQ(gldouble::callsNamed("glOrtho").back().args[1], 1);  // no height: a safe ratio
}

TEST(Screens, EscapeOnTheTitleEndsTheProgramAlsoWithSpace)
{
    for (const char* script : { "2 +x 2 -x 2 +Escape 1", "2 +x 2 -x 2 +Space +Escape 1" }) {
        EXPECT_EXIT({ GameHarness game; keys(script); }, ::testing::ExitedWithCode(0), "") << script;
    }
}

// Whole games with the game's own unseeded rand(): the same keys at the same
// virtual times always play the same game, so the exact output pins the
// order of every draw, the reach of every talk and the timing of every leg.
// The alignments printed come from glibc's sequence as the game draws it:
// they were read off a run, checked against the rules (a lock beyond 1 by at
// most one nudge, its sign the side), and change with any change to a rule.
struct Play
{
    const char* name;
    std::vector<std::string> level;  // none: no level file at all
    const char* script;
    std::string out;                 // all of standard output, or with locksOnly its lock lines
    int state;
    bool locksOnly;
};

void PrintTo(const Play& play, std::ostream* out) { *out << play.name; }

class WholeGame : public ::testing::TestWithParam<Play>
{
};

TEST_P(WholeGame, KeysAtVirtualTimesGiveTheExactOutput)
{
    const Play& g = GetParam();
    writeLevel(g.level);
    if (g.level.empty()) std::remove("Content/city1.troklevel");
    int state = 0;
    std::istringstream printed(flushedOutput([&g] {  // every line flushed as written
        GameHarness game;
        gldouble::setRecording(false);
        keys(kToTheGame);
        keys(g.script);
    }, &state));
    std::string out;
    for (std::string line; std::getline(printed, line);) {
        if (!g.locksOnly || line.rfind("Locked", 0) == 0) out += line + "\n";
    }
    EXPECT_EQ(out, g.out);
    EXPECT_EQ(state, g.state);
}

// 2500 by 2500 blocks, the activist in a corner: more than a game may take.
// Its 2354 MB, by hand: 6,249,999 blocks at 364 bytes, the ground and walls
// as 5 more, 10,004 wall cells at 32, the activist 676, 6,250,000 map bytes,
// 314 x 314 squares at 16 + 1552 (every one holds a box), and 2812 x 2812 - 1
// filings at 4 (312 of the 2500 columns, and of the rows, reach a second
// square): 2,467,800,160 bytes, 2353.5 MB.
std::vector<std::string> tooBig()
{
    std::vector<std::string> rows(2500, std::string(2500, '#'));
    rows[0][0] = '@';
    return rows;
}

const std::string kWin = "***************** YOU WIN ******************\n";
const std::string kLose = "///////////////// YOU LOSE \\\\\\\\\\\\\\\\\\\n";
const std::string kNoFile = "Incorrect file type!\nNo game: the level could not be loaded from Content/city1.troklevel.\n";

INSTANTIATE_TEST_SUITE_P(Games, WholeGame, ::testing::Values(
    // In a 3 by 3 city the one citizen never wanders out of earshot.
    Play{ "OneCitizenWon", { "...", "@C.", "..." }, "talk 500 every 0",
          "Map size: 3,3\nLocked in with align 1.16544\nGained a loyal follower.\n" + status(1, 0, 1, 0) + kWin,
          STATE_WON, false },
    Play{ "SurroundedLost", { "PPP", "PCP", "PPP", ".@." }, "play 4000",
          "Map size: 3,4\nLocked in with align -1.20457\nLost a citizen to the police.\n" + status(9, 9, 0, 0) + kLose,
          STATE_LOST, false },
    // Citizens wander leg after leg while an officer talks; the activist walks and talks now and then.
    Play{ "WanderingAndTalking", { "W..C.....C....W", ".C....#....C...", "....C..@...$..C", "..C...P.....C..", ".C....0...C...C",
            "W......C.......W" },
          "+Right 25 -Right talk 10 every 88 +Left 40 -Left talk 60 every 88 play 4000",
          "Locked in with align 1.12146\nLocked in with align 1.06035\nLocked in with align 1.10392\n"
          "Locked in with align -1.18958\nLocked in with align -1.12893\nLocked in with align 1.15689\n"
          "Locked in with align -1.3084\nLocked in with align -1.32745\nLocked in with align -1.29736\n",
          STATE_LOST, true },
    // A level that cannot be played builds nothing, says why, and goes back to the title.
    Play{ "NoLevelFile", {}, "+Space 2 -Space 2", kNoFile + kNoFile, STATE_TITLE, false },
    Play{ "NoActivist", { "C.P" }, "", "Map size: 3,1\nNo game: the level has no activist (@).\n", STATE_TITLE, false },
    Play{ "TooBig", tooBig(), "", "Map size: 2500,2500\nNo game: the level would take about 2354 MB, more than the 2048 MB a game "
          "may use.\n", STATE_TITLE, false }),
    [](const ::testing::TestParamInfo<Play>& info) { return std::string(info.param.name); });

// Ground, walls, then one object per building, roof and agent cell in
// reading order; 8, 9, h and i build nothing, W only a waypoint at the
// cell's corner. Everything is drawn in that order at its centre.
TEST(City, BuildsEveryCellInReadingOrderAndDrawsItInThatOrder)
{
    writeLevel({ "#3..b#$", ".W.C..0", ".@..P.7", "#a.9W#g" });
    gldouble::reset();
    TrokWorld world;
    testing::internal::CaptureStdout();
    world.startGame();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Map size: 7,4\n");
    const std::vector<TrokObject*>& objects = WorldProbe::objectsOf(world);
    std::ostringstream built;
    for (const TrokObject* o : objects) {
        const Vector size = o->physics->getSize();
        const Color fill = o->display->getFillColor();
        built << o->behavior->getBehaviorType() << (Vector(o->physics->getCurrentLocation()) - size * 0.5f) << size
              << int(fill.getr()) << "," << int(fill.getg()) << "," << int(fill.getb()) << "," << int(fill.geta()) << " ";
    }
    EXPECT_EQ(built.str(), "3(0,0,0)(7,1,4)0,0,0,255 3(-1,1,-1)(9,1,1)255,255,255,0 3(-1,1,0)(1,1,4)255,255,255,0 "
                           "3(-1,1,4)(9,1,1)255,255,255,0 3(7,1,0)(1,1,4)255,255,255,0 1(0,1,0)(1,1,1)255,255,255,255 "
                           "1(1,1,0)(1,3,1)255,255,255,255 3(4,1,0)(1,1,1)0,64,64,255 1(5,1,0)(1,1,1)255,255,255,255 "
                           "1(6,1,0)(1,1,1)255,255,255,255 7(3,1,1)(1,1,1)252,255,117,255 1(6,1,1)(1,0,1)255,255,255,255 "
                           "5(1,1,2)(1,1,1)255,32,32,216 8(4,1,2)(1,1,1)32,32,220,255 1(6,1,2)(1,7,1)255,255,255,255 "
                           "1(0,1,3)(1,1,1)255,255,255,255 3(1,0,3)(1,1,1)0,64,64,255 1(5,1,3)(1,1,1)255,255,255,255 "
                           "3(6,6,3)(1,1,1)0,64,64,255 ");
    EXPECT_EQ(world.trok, objects[12]);
    EXPECT_EQ(PhysicsProbe::list().size(), 15u);  // the ground and roofs are not solid
    const Vector first(1, 1, 1), second(4, 1, 3);  // just past the midway is nearer the second corner
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding((first + second) * 0.5f + Vector(0.3f, 0, 0), -1, -1), 1);
    gldouble::clearCalls();
    FrameRate::enter(STATE_PLAYING);
    world.output();  // the windowless platform keeps the matrices: one wall lies out of view
    EXPECT_EQ(gldouble::callsNamed("glTranslatef").size(), objects.size() - 1);
    // Those of a camera at (0.1, 18, 1) looking along (0, -45, -5), 45 degrees high, aspect 1, 0.1 to 100:
    // a point 0.4 of that direction away lies on the line of sight 0.4 x 45.2769 = 18.1108 ahead.
    float m[16], p[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    const Vector ahead(0.1f, 0, -1);
    for (int row = 0; row < 3; ++row) {
        EXPECT_NEAR(m[row] * ahead.x + m[4 + row] * ahead.y + m[8 + row] * ahead.z + m[12 + row],
                    row < 2 ? 0 : -18.1108, 1e-4);
    }
    EXPECT_EQ(std::vector<float>({ p[0], p[5], p[10], p[11], p[14] }),  // 1 / tan 22.5, (f + n) / (n - f) ...
              std::vector<float>({ 2.41421356f, 2.41421356f, -100.1f / 99.9f, -1, -20.0f / 99.9f }));
    gldouble::clearCalls();
    TrokView::enabled = false;
    world.output();
    const std::vector<gldouble::Call> moves = gldouble::callsNamed("glTranslatef");
    ASSERT_EQ(moves.size(), objects.size());
    for (size_t i = 0; i < objects.size(); ++i) {
        const Vector c = objects[i]->physics->getCurrentLocation();
        EXPECT_EQ(moves[i].args, (std::vector<double>{ c.x, c.y, c.z })) << i;
    }
    writeLevel({ "@.@C" });
    world.startGame();  // while this game runs: nothing changes
    EXPECT_EQ(WorldProbe::objectsOf(world).size(), 19u);
    world.endGame();
    testing::internal::CaptureStdout();
    world.startGame();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(world.trok, WorldProbe::objectsOf(world)[6]);  // of two activists, the camera follows the last
}

// A city of blocks taller than it is wide, the activist near its far end:
// every object with a corner inside the view volume is drawn, however the
// drawing index files it, and most of the city is left out.
TEST(City, NothingInViewIsLeftOut)
{
    std::vector<std::string> rows(40, std::string(20, '#'));
    rows[33] = std::string(9, '.') + "@" + std::string(10, '.');
    writeLevel(rows);
    gldouble::reset();
    TrokWorld world;
    testing::internal::CaptureStdout();
    world.startGame();
    testing::internal::GetCapturedStdout();
    FrameRate::enter(STATE_PLAYING);
    world.think();  // the camera goes to the activist
    gldouble::clearCalls();
    world.output();
    float p[16], m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    auto times = [](const float* matrix, const std::vector<float>& v) {  // column by column, as OpenGL keeps them
        std::vector<float> out(4);
        for (int i = 0; i < 16; ++i) out[i % 4] += matrix[i] * v[i / 4];
        return out;
    };
    std::set<std::vector<double>> drawn;
    for (const gldouble::Call& call : gldouble::callsNamed("glTranslatef")) drawn.insert(call.args);
    size_t inView = 0, beyondRow32 = 0;
    for (const TrokObject* o : WorldProbe::objectsOf(world)) {
        const Vector c = o->physics->getCurrentLocation(), h = o->physics->getSize() * 0.5f;
        bool seen = false;
        for (int k = 0; k < 8; ++k) {
            const std::vector<float> clip = times(p, times(m, { c.x + (k & 1 ? h.x : -h.x), c.y + (k & 2 ? h.y : -h.y),
                                                               c.z + (k & 4 ? h.z : -h.z), 1 }));
            seen = seen || (std::fabs(clip[0]) <= clip[3] && std::fabs(clip[1]) <= clip[3] && std::fabs(clip[2]) <= clip[3]);
        }
        inView += seen;
        beyondRow32 += seen && c.z > 32;
        EXPECT_TRUE(!seen || drawn.count({ c.x, c.y, c.z })) << "not drawn: the object at " << c;
    }
    EXPECT_GT(inView, 40u);
    EXPECT_GT(beyondRow32, 10u);  // past the first 32 rows, which a square index of the width alone covers
    EXPECT_LT(drawn.size() * 2, WorldProbe::objectsOf(world).size());
}

// The camera keeps its offset from the activist and never turns; pausing
// freezes the game but still draws it; the frame of a win still runs the
// game, and the next one tears it down and shows the marker cubes from the
// activist's last centre. A new game reads the level afresh.
TEST(GameWorld, PlayPauseWinAndPlayAgain)
{
    writeLevel({ "...", "@C.", "..." });
    GameHarness game;
    testing::internal::CaptureStdout();
    keys(kToTheGame);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(gldouble::callsNamed("glTranslatef")[0].args, (std::vector<double>{ 0, 0, 0 }));  // the marker before
    TrokWorld& world = WorldProbe::registered();
    const Location& cam = WorldProbe::cameraOf(world).loc;
    keys("+Down 5");
    const Vector at = world.trok->physics->getCurrentLocation();
    EXPECT_GT(at.z, 1.9f);
    EXPECT_LT((cam - (at + Vector(0.1f, 18.0f, 1.0f))).length(), 1e-4f);
    EXPECT_LT((cam.findForward() - Vector(0, -45, -5).normalize()).length(), 1e-6f);
    const std::vector<gldouble::Call> looks = gldouble::callsNamed("gluLookAt");
    const std::vector<double> look = looks[looks.size() - 2].args;  // the game world's, before the screens' 
    EXPECT_LT((Vector(look[3], look[4], look[5]) - cam - cam.findForward()).length(), 1e-4f);
    keys("+Escape 1 -Escape 1");
    const std::vector<TrokObject*> objects = WorldProbe::objectsOf(world);
    const Vector paused = world.trok->physics->getCurrentLocation();
    gldouble::clearCalls();
    keys("30");
    EXPECT_EQ(WorldProbe::objectsOf(world), objects);
    EXPECT_TRUE(Vector(world.trok->physics->getCurrentLocation()) == paused);
    EXPECT_EQ(gldouble::callsNamed("glTranslatef").size(), 30 * objects.size());  // drawn, no marker
    testing::internal::CaptureStdout();
    keys("+Escape 1 -Escape 1 -Down talk 500 every 0");  // the same game goes on
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(game.state(), STATE_WON);
    const Vector last = world.trok->physics->getCurrentLocation();
    gldouble::clearCalls();
    gameFrame();
    EXPECT_TRUE(WorldProbe::noGame(world));
    const auto moves = gldouble::callsNamed("glTranslatef");
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_LT((Vector(moves[0].args[0], moves[0].args[1], moves[0].args[2]) - last).length(), 1e-4f);
    EXPECT_EQ(moves[1].args, (std::vector<double>{ 1, 0, 0 }));
    EXPECT_EQ(moves[2].args, (std::vector<double>{ 0, 0, 1 }));
    EXPECT_EQ(gldouble::callsNamed("glutSolidCube")[0].args[0], 0.5);
    EXPECT_EQ(gldouble::callsNamed("glColor4ubv")[0].args, (std::vector<double>{ 255, 160, 30, 200 }));
    // The light: directional (w 0) from (0, 3, 3), white ambient and specular; a faint specular material.
    const std::vector<gldouble::Call> light = gldouble::callsNamed("glLightfv");
    EXPECT_EQ(light[0].args, (std::vector<double>{ GL_LIGHT0, GL_POSITION, 0, 3, 3, 0 }));
    EXPECT_EQ(light[1].args, (std::vector<double>{ GL_LIGHT0, GL_AMBIENT, 1, 1, 1, 1 }));
    EXPECT_EQ(light[2].args, (std::vector<double>{ GL_LIGHT0, GL_SPECULAR, 1, 1, 1, 1 }));
    EXPECT_EQ(gldouble::callsNamed("glMaterialfv")[0].args, (std::vector<double>{ GL_FRONT_AND_BACK, GL_SPECULAR,
                                                                                    0.1f, 0.1f, 0.1f, 0.1f }));
    EXPECT_LT((cam.findForward() - Vector(-0.1f, -18.0f, -1.0f).normalize()).length(), 1e-5f);  // looking down at it
    testing::internal::CaptureStdout();
    keys("+Escape 1 -Escape 1 +Space 1 -Space 1");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Map size: 3,3\n");
    EXPECT_EQ(WorldProbe::objectsOf(world).size(), 7u);
    EXPECT_EQ(TrokWorld::allyCount, 0u);
    EXPECT_EQ(TrokWorld::citizenCount, 1u);
    EXPECT_EQ(TrokWorld::totalAgentCount, 1u);
}

// The player's file binds left to "a" and pause to "p". F11 switches
// fullscreen on every screen and does nothing else, back to the window's
// place and size; each switch is written back. A window out of sight pauses
// the game and lets go of the keys held: their releases later change nothing.
TEST(PlayerSettings, FullscreenOnEveryScreenReboundKeysAndAPauseWhenTheWindowGoesAway)
{
    writeLevel({ "...", ".@.", "..." });
    GameHarness game;
    char folder[] = "/tmp/morvellant-settings-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string file = std::string(folder) + "/settings";
    std::ofstream(file) << "left = a\npause = p\n";
    Headless::setScreen(1280, 1024);
    initPlayerSettings(file);
    Headless::reshape(800, 600);
    const char* const screens[] = { "2", "+x 1 -x 1", "+Space 1 -Space 1", "+p 1 -p 1" };  // credits to paused
    for (int i = 0; i < 4; ++i) {
        keys(screens[i]);
        const int state = game.state();
        gldouble::clearCalls();
        keys("+F11 1 -F11 1");
        EXPECT_EQ(game.state(), state) << screens[i];
        EXPECT_EQ(gldouble::callsNamed(i % 2 ? "glutLeaveFullScreen" : "glutFullScreen").size(), 1u) << screens[i];
        i % 2 ? Headless::reshape(800, 600) : Headless::reshape(1280, 1024);  // as GLUT answers
    }
    EXPECT_EQ(gldouble::callsNamed("glutPositionWindow")[0].args, (std::vector<double>{ 30, 30 }));
    EXPECT_EQ(gldouble::callsNamed("glutReshapeWindow")[0].args, (std::vector<double>{ 800, 600 }));
    std::ostringstream text;
    text << std::ifstream(file).rdbuf();
    EXPECT_EQ(text.str(), "left = a\npause = p\nfullscreen = no\n");
    TrokWorld& world = WorldProbe::registered();
    keys("+Escape 1 -Escape 1 +a +Up +Space 5");
    const Vector walked = world.trok->physics->getCurrentLocation();
    EXPECT_LT(walked.x, 1.4f);  // from the middle of its cell, 1.5
    EXPECT_LT(walked.z, 1.4f);
    Headless::windowStatus(GLUT_HIDDEN);
    keys("1 -Space 1 +Space");  // "a" and Up are let go out of sight: no release comes
    Headless::windowStatus(GLUT_HIDDEN);  // nor for Space, just pressed on the pause screen
    keys("1");
    EXPECT_EQ(game.state(), STATE_PAUSED);
    keys("+p 1 -p 20");
    EXPECT_EQ(game.state(), STATE_PLAYING);
    EXPECT_TRUE(Vector(world.trok->physics->getCurrentLocation()) == walked);
    Headless::setScreen(0, 0);
    testing::internal::CaptureStderr();
    keys("+F11 1 -F11 1");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "fullscreen: the screen reports no size to fill: the game stays in its window\n");
    std::filesystem::remove_all(folder);
}
