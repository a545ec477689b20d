#pragma once
// What a Герлит rail is, by its article: the running profile above the door, with two runner channels (JG01)
// or one (JG02), or the guide profile below it, laid on (JG03) or let in (JG04).
#include <string>

namespace dalvex {

struct GerlitRail {
    bool running = false;
    int channels = 0;   // running profiles
    bool letIn = false; // guide profiles
};

GerlitRail gerlitRail(const std::string& code);

} // namespace dalvex
