#pragma once

// Every sheet the game reads, by the name its sprites load it under. The sheet tool
// builds exactly these from content/art.
inline constexpr const char* kSheetNames[] = {"Pilgrim", "Armory", "Shotsheet",
                                              "Gravefolk", "Glyphs", "Panels",
                                              "Sparks", "Rockset", "Skyfill"};
