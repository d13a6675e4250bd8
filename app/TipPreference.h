#pragma once

#include "platform/ScopedHook.h"

#include <QString>

#include <functional>
#include <memory>

class QSaveFile;

// The one-line preference file "QUORVEX.CFG" in the working directory that says whether the tip of
// the day is shown at start-up.
namespace qv::app {

inline const QString kPreferenceFileName = QStringLiteral("QUORVEX.CFG");
inline constexpr char kTipsOnLine[] = "ConseilAuDemarrage=OUI;";
inline constexpr char kTipsOffLine[] = "ConseilAuDemarrage=NON;";

// True only when the file's first line is exactly "ConseilAuDemarrage=OUI;". Every read failure
// (missing, unreadable, empty, binary, huge) means false; at most a few bytes are read.
bool TipsAtStartup(const QString& folder = QString());

// Replaces the file with the one line for `showTips`, ended by CR LF. Throws std::runtime_error with
// a readable message when the file cannot be written; the old file is then left as it was.
void writeTipPreference(bool showTips, const QString& folder = QString());

// Makes the file object the preference is written through (tests give one whose writes fail); an empty
// function restores plain files. Returns the factory it replaces.
using PreferenceFileFactory = std::function<std::unique_ptr<QSaveFile>(const QString& path)>;
PreferenceFileFactory setPreferenceFileFactory(PreferenceFileFactory factory);
using ScopedPreferenceFileFactory =
    qv::platform::ScopedHook<PreferenceFileFactory, &setPreferenceFileFactory>;

} // namespace qv::app
