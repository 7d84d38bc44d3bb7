#pragma once
// The five category menus that hold the user's tree.

#include "tree/LinkEntry.h"
#include "tree/MenuNode.h"

#include <array>

namespace vantrel {

struct Categories {
    MenuNode* run = nullptr;
    MenuNode* applications = nullptr;
    MenuNode* network = nullptr;
    MenuNode* internet = nullptr;
    MenuNode* files = nullptr;

    // In the order the configuration file stores them.
    std::array<MenuNode*, 5> InFileOrder() const {
        return {run, applications, network, internet, files};
    }
    // In the order the main menu shows them.
    std::array<MenuNode*, 5> InMenuOrder() const {
        return {files, internet, network, applications, run};
    }
    // The category menu of a saved kind (3..7); null for any other value.
    MenuNode* OfKind(int kind) const {
        switch (kind) {
        case LinkKindRun: return run;
        case LinkKindApplication: return applications;
        case LinkKindNetwork: return network;
        case LinkKindInternet: return internet;
        case LinkKindFile: return files;
        default: return nullptr;
        }
    }
};

} // namespace vantrel
