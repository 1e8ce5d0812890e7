#pragma once
// trevalon-bench build: the picture of each Gauss-code knot file built from its code and timed.

#include <string>
#include <vector>

namespace trevalon::bench {

// build FILE|FOLDER...: per file a tab-separated line of the file name, crossings, "valid" or "invalid"
// (the check of the routed cell table), the drawing's extent in rows and columns and the microseconds of
// layout, routing, tidying and rendering; or the file name, "error" and the build error's reason.
int comandoBuild(const std::vector<std::string>& args);

}  // namespace trevalon::bench
