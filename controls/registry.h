#pragma once

namespace controls {
// Makes the skinned controls known to the window design loader.
void registerAll();
}  // namespace controls
