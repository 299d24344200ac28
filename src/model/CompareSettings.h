// SPDX-License-Identifier: MIT
#pragma once
// The comparison of two eras: whether it is on, how the two are shown, which
// era is the second one, and where the divider, lens and blend stand. Kept in
// a file of its own in the RootFolder, "KAVALO_compare.ini", one number per
// line in the order of the fields below, so that KAVALO.ini stays as it is.
// A file that is missing, cut short or holds values out of range gives the
// defaults for what it lacks; nothing in it can stop the program.
#include <QString>
#include <cstdint>

namespace kavalo {

enum class CompareMode : int32_t {
  Side = 0,   // two panes of equal width, era A left and era B right
  Swipe = 1,  // era A left of a divider, era B right of it
  Lens = 2,   // era B inside a circle over era A
  Blend = 3,  // era B over era A at an opacity
};

inline constexpr const char* kCompareSettingsFile = "\\KAVALO_compare.ini";

struct CompareSettings {
  bool on = false;
  CompareMode mode = CompareMode::Side;
  int32_t eraB = 0;             // era index of the second era
  int32_t splitPermille = 500;  // the swipe divider, in thousandths of the view's width
  int32_t lensRadius = 120;     // view pixels
  int32_t opacity = 50;         // blend: era B's opacity in percent
  int32_t cacheMiB = 256;       // budget of the decoded-tile cache

  static constexpr int32_t kMinLensRadius = 16;
  static constexpr int32_t kMaxLensRadius = 1000;
  static constexpr int32_t kMaxCacheMiB = 8192;
};

// The modes' names on the command line and in the drop-down's data: "side",
// "swipe", "lens", "blend".
QString compareModeName(CompareMode mode);
// False for an unknown name.
bool compareModeFromName(const QString& name, CompareMode& mode);

// unreadable (when given) tells whether the file is there but could not be
// read: the caller then leaves it as it is instead of writing it back.
CompareSettings readCompareSettings(const QString& path, bool* unreadable = nullptr);
bool writeCompareSettings(const QString& path, const CompareSettings& settings, QString* error = nullptr);

}  // namespace kavalo
