#ifndef MORVELLANT_GAME_TROKCOMPONENT_H
#define MORVELLANT_GAME_TROKCOMPONENT_H

class TrokObject;

// Base of the four component kinds. A component always belongs to one
// object and reaches its siblings through that object's public slots.
class TrokComponent
{
public:
    TrokObject* const parent;  // not owned; fixed for the component's life

    explicit TrokComponent(TrokObject* parent);

private:
    TrokComponent();
};

#endif
