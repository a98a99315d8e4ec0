// The solver's name and version as its output files record them: the version of the release,
// from the version.h that the build generates for the version resources as well.
#pragma once

#include "version.h"

namespace zelvo {

inline constexpr const char* kProgramName = "zelvo_v3";
inline constexpr const char* kProgramVersion = VORNEL_VERSION_TEXT;

}  // namespace zelvo
