// Waiting for the user, or for another run: nothing is half written then,
// so an interrupt ends the program at once instead of being kept for the
// program to act on.
#ifndef BRAVOLIN_CONSOLE_SYSTEM_WAITING_FOR_USER_H
#define BRAVOLIN_CONSOLE_SYSTEM_WAITING_FOR_USER_H

#include "console/system/platform.h"

// For as long as it lives, an interrupt ends the program at once.
class WaitingForUser {
public:
    WaitingForUser() : wasWaiting_(interruptsEndAtOnce()) { setInterruptsEndAtOnce(true); }
    ~WaitingForUser() { setInterruptsEndAtOnce(wasWaiting_); }
    WaitingForUser(const WaitingForUser&) = delete;
    WaitingForUser& operator=(const WaitingForUser&) = delete;

private:
    bool wasWaiting_;
};

#endif
