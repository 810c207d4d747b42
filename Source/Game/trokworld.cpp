#include "Game/trokworld.h"

#include <GL/gl.h>
#include <GL/glut.h>

#include <iostream>
#include <string>

#include "Base/color.h"
#include "Base/displaymanager.h"
#include "Base/eventloop.h"
#include "Base/vector.h"
#include "Game/gamestates.h"
#include "Game/levelreport.h"
#include "Game/trokmap.h"
#include "Game/trokmovement.h"
#include "Game/trokobject.h"
#include "Game/trokphysics.h"
#include "Game/trokview.h"

uint32_t TrokWorld::allyCount = 0;
uint32_t TrokWorld::policeCount = 0;
uint32_t TrokWorld::citizenCount = 0;
uint32_t TrokWorld::totalAgentCount = 0;

namespace
{

const char* const kLevelFile = "Content/city1.troklevel";

// Lighting and material of the city, and the colour of the marker cubes
// drawn where the last game ended.
const GLfloat mat_specular[] = {0.1f, 0.1f, 0.1f, 0.1f};
const GLfloat mat_shininess[] = {100.0f};
const GLfloat light_position[] = {0.0f, 3.0f, 3.0f, 0.0f};  // directional, from (0, 3, 3)
const GLfloat white_light[] = {1.0f, 1.0f, 1.0f, 1.0f};
const Color happyRed(255, 160, 30, 200);

const Vector kUnitSize(1.0f, 1.0f, 1.0f);

}

TrokWorld::TrokWorld()
    : trok(nullptr), cam(), gameRunning(false), objects(), cityMap(nullptr), camAdjustment(), thinkers(), scene()
{
    cameraReset();
}

TrokWorld::~TrokWorld()
{
    endGame();
    delete cityMap;
}

void TrokWorld::startGame()
{
    if (gameRunning) {
        return;
    }
    cameraReset();

    // The last game's map has served its purpose.
    delete cityMap;
    cityMap = new TrokMap(kLevelFile);

    // The frame needs an activist in every running game, and a level must fit
    // in the memory a game may use: refuse a level that cannot, before
    // anything is built, and go back to the title so that Space tries again.
    std::string refusal;
    const LevelReport report(*cityMap);
    if (!cityMap->valid) {
        refusal = std::string("No game: the level could not be loaded from ") + kLevelFile + ".";
    } else if (report.activists == 0) {
        refusal = "No game: the level has no activist (@).";
    } else if (!report.fitsBudget()) {
        refusal = "No game: the level would take about " + std::to_string(report.megabytes()) + " MB, more than the " +
                  std::to_string(LevelReport::mostMegabytes) + " MB a game may use.";
    }
    if (!refusal.empty()) {
        std::cout << refusal << std::endl;
        delete cityMap;
        cityMap = nullptr;
        Eventloop::switchState(STATE_TITLE);
        return;
    }

    const int width = cityMap->getWidth();
    const int height = cityMap->getHeight();
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);

    TrokMovementAIPolice::clearWaypoints();
    TrokMovementAIPolice::reserveWaypoints(static_cast<size_t>(report.waypoints));

    objects.push_back(new TrokObject(OBJ_GROUND, Vector(0.0f, 0.0f, 0.0f), Vector(w, 1.0f, h)));
    // Invisible walls one cell outside the map; the rows before and after it
    // reach round the corners.
    objects.push_back(new TrokObject(OBJ_WALL, Vector(-1.0f, 1.0f, -1.0f), Vector(w + 2.0f, 1.0f, 1.0f)));
    objects.push_back(new TrokObject(OBJ_WALL, Vector(-1.0f, 1.0f, 0.0f), Vector(1.0f, 1.0f, h)));
    objects.push_back(new TrokObject(OBJ_WALL, Vector(-1.0f, 1.0f, h), Vector(w + 2.0f, 1.0f, 1.0f)));
    objects.push_back(new TrokObject(OBJ_WALL, Vector(w, 1.0f, 0.0f), Vector(1.0f, 1.0f, h)));

    policeCount = 0;
    citizenCount = 0;
    allyCount = 0;
    totalAgentCount = 0;

    for (int i = 0; i < height; ++i) {
        for (int j = 0; j < width; ++j) {
            const char c = cityMap->get(i, j);
            const Vector corner(static_cast<float>(j), 1.0f, static_cast<float>(i));
            if (c == 'W') {
                TrokMovementAIPolice::addWaypoint(corner);
            } else if (c == 'C') {
                objects.push_back(new TrokObject(OBJ_CITIZEN, corner, kUnitSize));
                ++citizenCount;
                ++totalAgentCount;
            } else if (c == 'P') {
                objects.push_back(new TrokObject(OBJ_POLICE, corner, kUnitSize));
                ++policeCount;
                ++totalAgentCount;
            } else if (c == '#' || c == '$') {
                objects.push_back(new TrokObject(OBJ_BUILDING, corner, kUnitSize));
            } else if (c == '@') {
                // With several, the last one in reading order is followed.
                trok = new TrokObject(OBJ_TROK, corner, kUnitSize);
                objects.push_back(trok);
            } else if (c >= '0' && c <= '7') {
                extrudeBuilding(c - '0', i, j);
            } else if (c >= 'a' && c <= 'g') {
                roofBuilding(c - 'a', i, j);
            }
        }
    }

    for (TrokObject* object : objects) {
        if (!object->isStill()) {
            thinkers.push_back(object);
        }
    }
    scene.build(objects);
    gameRunning = true;
}

void TrokWorld::extrudeBuilding(int height, int bigIndex, int smallIndex)
{
    const Vector corner(static_cast<float>(smallIndex), 1.0f, static_cast<float>(bigIndex));
    objects.push_back(new TrokObject(OBJ_BUILDING, corner, Vector(1.0f, static_cast<float>(height), 1.0f)));
}

void TrokWorld::roofBuilding(int height, int bigIndex, int smallIndex)
{
    const Vector corner(static_cast<float>(smallIndex), static_cast<float>(height),
                        static_cast<float>(bigIndex));
    objects.push_back(new TrokObject(OBJ_BUILDING_EXTRA, corner, kUnitSize));
}

void TrokWorld::cameraReset()
{
    cam.loc.reset();
    camAdjustment.set(0.1f, 18.0f, 1.0f);
    camAdjustment.face(Vector(0.0f, -45.0f, -5.0f));

    if (trok != nullptr) {
        const Vector at = trok->physics->getCurrentLocation();
        cam.loc.set(at + camAdjustment);
        cam.loc.face(at - cam.loc);
    } else {
        cam.loc.set(camAdjustment);
        static_cast<Rotation&>(cam.loc) = static_cast<const Rotation&>(camAdjustment);
    }
}

void TrokWorld::input()
{
    if (Eventloop::getState() != STATE_PLAYING) {
        return;
    }
    // The others' input would do nothing.
    for (TrokObject* object : thinkers) {
        object->input();
    }
}

void TrokWorld::think()
{
    if (DisplayManager::isSizeDifferent()) {
        cam.aspectRatio = DisplayManager::getAspectRatio();
    }

    const int state = Eventloop::getState();
    if (state == STATE_PAUSED) {
        return;
    }
    if (state != STATE_PLAYING) {
        endGame();
        return;
    }

    startGame();
    if (!gameRunning) {
        return;     // the level was refused; the title comes next frame
    }
    // The still objects' think would change nothing, and a big city is
    // almost all blocks: leave them out rather than visit every one.
    for (TrokObject* object : thinkers) {
        object->think();
    }

    // Follow the activist at a fixed offset, never turning.
    const Vector at = trok->physics->getCurrentLocation();
    cam.loc.set(at + camAdjustment);
    cam.loc.face(camAdjustment.findForward());

    TrokPhysics::processCollisions();

    // One pass per frame lets a queue of agents squeeze the first one a little
    // deeper into a boundary wall every frame, until the wall pushes it out on
    // the far side and it is lost to the game for good. The walls enclose
    // exactly the map, so nothing that moves may stand outside it.
    const float width = static_cast<float>(cityMap->getWidth());
    const float depth = static_cast<float>(cityMap->getHeight());
    for (TrokObject* object : thinkers) {
        object->physics->keepWithin(0.0f, 0.0f, width, depth);
    }
}

void TrokWorld::output()
{
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_LIGHTING);
    cam.draw();

    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, mat_specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, mat_shininess);
    // Set after the camera, so the light's direction is fixed in the world.
    glLightfv(GL_LIGHT0, GL_POSITION, light_position);
    glLightfv(GL_LIGHT0, GL_AMBIENT, white_light);
    glLightfv(GL_LIGHT0, GL_SPECULAR, white_light);
    glEnable(GL_LIGHT0);

    const int state = Eventloop::getState();
    if (state == STATE_PLAYING || state == STATE_PAUSED) {
        // What lies wholly outside the view would not make a single pixel:
        // in a big city that is nearly everything, so it is not even looked at.
        std::vector<TrokObject*> shown;
        scene.collect(TrokView::current(), shown);
        for (TrokObject* object : shown) {
            object->output();
        }
        return;
    }

    // No game on show: three small cubes where the camera last looked down.
    glDepthMask(GL_FALSE);
    glColor4ubv(happyRed.get());
    glPushMatrix();
    const Vector anchor = Vector(cam.loc) - camAdjustment;
    glTranslatef(anchor.x, anchor.y, anchor.z);
    glutSolidCube(0.5);
    glPushMatrix();
    glTranslatef(1.0f, 0.0f, 0.0f);
    glutSolidCube(0.5);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, 1.0f);
    glutSolidCube(0.5);
    glPopMatrix();
    glPopMatrix();
    glDepthMask(GL_TRUE);
}

void TrokWorld::endGame()
{
    if (!gameRunning) {
        return;
    }
    // While the activist still exists, so the camera ends up above it.
    cameraReset();
    thinkers.clear();
    scene.build({});
    while (!objects.empty()) {
        delete objects.back();
        objects.pop_back();
    }
    trok = nullptr;
    gameRunning = false;
}

const std::vector<TrokObject*>& TrokWorld::getObjects() const
{
    return objects;
}

const TrokMap* TrokWorld::getMap() const
{
    return cityMap;
}

void TrokWorld::citizenToAlly()
{
    --citizenCount;
    ++allyCount;
    std::cout << "Gained a loyal follower." << std::endl;
    checkEndGame();
}

void TrokWorld::citizenToPolice()
{
    --citizenCount;
    ++policeCount;
    std::cout << "Lost a citizen to the police." << std::endl;
    checkEndGame();
}

void TrokWorld::checkEndGame()
{
    std::cout << "Status: " << std::endl;
    std::cout << "   totalAgents: " << totalAgentCount << std::endl;
    std::cout << "   policeCount: " << policeCount << std::endl;
    std::cout << "   allyCount: " << allyCount << std::endl;
    std::cout << "   Remaining Citizens: " << citizenCount << std::endl;

    // Win is tested first: when both sides reach half at once, the player wins.
    const uint32_t half = totalAgentCount / 2;
    if (allyCount >= half) {
        std::cout << std::string(17, '*') << " YOU WIN " << std::string(18, '*') << std::endl;
        stageWon();
    } else if (policeCount >= half) {
        std::cout << std::string(17, '/') << " YOU LOSE " << std::string(9, '\\') << std::endl;
        stageLost();
    }
}

void TrokWorld::stageWon()
{
    Eventloop::switchState(STATE_WON);
}

void TrokWorld::stageLost()
{
    Eventloop::switchState(STATE_LOST);
}
