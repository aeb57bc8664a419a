// The window system's event pump for the real-time loop: handles the events
// that are waiting, without blocking.
#pragma once

#include "platform/KxClock.h"

class QtMessagePump : public kx::IMessagePump {
  public:
    bool PumpOne() override;
};
