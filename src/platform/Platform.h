#pragma once
// Everything the portable program reaches of the operating system, in narrow pieces.

#include "platform/FileApi.h"
#include "platform/IconApi.h"
#include "platform/ProcessApi.h"
#include "platform/RegistryApi.h"
#include "platform/UiApi.h"

namespace vantrel {

struct Platform {
    ProcessApi& process;
    RegistryApi& registry;
    IconApi& icons;
    UiApi& ui;
    FileApi& files;
};

} // namespace vantrel
