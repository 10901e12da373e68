#pragma once

#include "platform/dialogs.h"
#include "platform/hot_key.h"
#include "platform/memory_status.h"
#include "platform/network.h"
#include "platform/processes.h"
#include "platform/shared_memory.h"
#include "platform/shell.h"
#include "platform/system_actions.h"
#include "platform/window_system.h"

namespace platform {

// Every service of the operating system the program uses, handed to the controllers.
struct Platform {
    WindowSystem& windows;
    Processes& processes;
    MemoryInfo& memory;
    SharedMemory& sharedMemory;
    Network& network;
    SystemActions& systemActions;
    Shell& shell;
    Dialogs& dialogs;
    HotKey& hotKey;
};

} // namespace platform
