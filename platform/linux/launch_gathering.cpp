#include "platform/launch_gathering.h"

std::optional<std::vector<std::string>> GatherLaunchPaths(std::vector<std::string> ownPaths, const LaunchGathering&) {
    return ownPaths;
}
