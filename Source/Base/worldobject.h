#ifndef MORVELLANT_BASE_WORLDOBJECT_H
#define MORVELLANT_BASE_WORLDOBJECT_H

// A world is driven by the event loop once per frame, phase by phase:
// every world's input, then every world's think, then every world's output.
// Worlds live for the whole run, so there is deliberately no virtual destructor.
class WorldObject
{
public:
    virtual void input() = 0;
    virtual void think() = 0;
    virtual void output() = 0;
};

#endif
