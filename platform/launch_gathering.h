// One window for a selection Explorer hands over item by item.
//
// Explorer starts a context-menu command once per selected item, each in a
// program of its own. The launches of one such burst gather: the first one
// listens for a moment, and every launch that comes while it listens hands it
// its paths and ends. Linux file managers give the whole selection to one
// command, so there every launch keeps its own paths.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct LaunchGathering {
    const char* channel = "Check";  // launches meet on the channel of their name
    int quietMs = 500;              // the listener stops after this long without a launch
    int longestMs = 10000;          // and listens no longer than this in all
};

// The paths this launch opens its window with: its own and those handed to
// it, in name order when others came; nullopt when they were handed to
// another launch, which shows them, and this one should end. A launch that
// cannot hand its paths over keeps them: nothing is lost.
std::optional<std::vector<std::string>> GatherLaunchPaths(std::vector<std::string> ownPaths,
                                                          const LaunchGathering& gathering = {});
