#include "Game/trokworld.h"

#include <iostream>
#include <string>

#include "Base/eventloop.h"
#include "Game/gamestates.h"

uint32_t TrokWorld::allyCount = 0;
uint32_t TrokWorld::policeCount = 0;
uint32_t TrokWorld::citizenCount = 0;
uint32_t TrokWorld::totalAgentCount = 0;

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
