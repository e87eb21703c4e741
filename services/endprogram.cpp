#include "services/endprogram.h"

#include "services/moddatabaseconnection.h"

#include <cstdio>
#include <cstdlib>

namespace {
std::function<void()>& endHook() {
    static std::function<void()> hook;
    return hook;
}
} // namespace

void setEndProgramHook(std::function<void()> hook) {
    endHook() = std::move(hook);
}

void EndProgram() {
    if (endHook()) {
        endHook()();
        return;
    }
    CloseConnection();
    std::fflush(nullptr);
    std::exit(0);
}
