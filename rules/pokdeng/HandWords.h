#pragma once

#include <string>

namespace pokdeng {

// The Thai words the rules write into the status line and the result labels (UTF-8), where more
// than one rule writes them.
inline const std::string kTwoDengSuffix = "สองเด้ง";
inline const std::string kThreeDengSuffix = "สามเด้ง";
inline const std::string kPointsWord = "แต้ม";

} // namespace pokdeng
