#pragma once

#include <QString>

// The one-line preference file "QUORVEX.CFG" in the working directory that says whether the tip of
// the day is shown at start-up.
namespace qv::app {

inline const QString kPreferenceFileName = QStringLiteral("QUORVEX.CFG");
inline constexpr char kTipsOnLine[] = "ConseilAuDemarrage=OUI;";
inline constexpr char kTipsOffLine[] = "ConseilAuDemarrage=NON;";

// True only when the file's first line is exactly "ConseilAuDemarrage=OUI;". Every read failure
// (missing, unreadable, not a regular file, empty, binary, huge) means false; at most a few bytes are read.
bool TipsAtStartup(const QString& folder = QString());

// Replaces the file with the one line for `showTips`, ended by CR LF, or creates it. Only a regular file
// the user owns and may write is replaced; a link or anything else keeps its content. Throws
// std::runtime_error with a readable message when the file cannot be written; the old file is then left
// as it was.
void writeTipPreference(bool showTips, const QString& folder = QString());

} // namespace qv::app
