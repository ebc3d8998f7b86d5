// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include "services/Translation.h"

// Loads the catalogue the program carries. The resources live in a static library, so they
// are registered once, as the program entry does.
inline void LoadShippedCatalogue() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)registered;
    dravemo::LoadTranslationCatalogue();
}
