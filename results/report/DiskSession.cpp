#include "results/report/DiskSession.h"

#include "bench/disk/DiskReferences.h"
#include "bench/disk/DriveOfFolder.h"

#include <cmath>

namespace qv::cli {

namespace bd = bench::disk;

DiskSession diskSession(const bd::DiskSettings& settings, const bd::DiskResult& result)
{
    DiskSession session;
    for (const bd::DiskTestResult& test : result.tests) {
        for (const auto& [direction, measured] :
             {std::pair{"Read", test.read}, std::pair{"Write", test.write}}) {
            const std::string prefix = std::string(test.pattern.key) + direction;
            const bd::Measurement figures = measured.value_or(bd::Measurement());
            session.figures.push_back({prefix + "MBs", figures.megabytesPerSecond});
            session.figures.push_back({prefix + "Iops", figures.iops});
            session.figures.push_back({prefix + "MeanLatencyUs", figures.meanLatencyUs});
            session.figures.push_back({prefix + "P99LatencyUs", figures.p99LatencyUs});
        }
    }
    session.figures.push_back({"DiskIndex", std::round(bd::diskIndex(bd::diskRates(result)))});
    const bd::DriveOfFolder drive = bd::driveOfFolder(settings.folder);
    session.setup = {{"Folder", settings.folder},
                     {"FileSizeMiB", std::to_string(settings.fileSize / bd::kMiB)},
                     {"Seconds", std::to_string(settings.duration.count() / 1000)},
                     {"Method", std::string(bd::ioMethodName(result.method))},
                     {"DirectIo", result.direct ? "yes" : "no"},
                     {"Device", drive.device},
                     {"Model", drive.model},
                     {"Transport", drive.transport},
                     {"FileSystem", drive.fileSystem}};
    if (drive.rotational)
        session.setup["Medium"] = *drive.rotational ? "rotational" : "solid-state";
    if (!result.cacheNote.empty())
        session.setup["Note"] = result.cacheNote;
    return session;
}

DiskSession runDiskSession(const bd::DiskSettings& settings)
{
    const std::atomic<bool> stop = false;
    return diskSession(settings, bd::runDiskBenchmark(settings, stop));
}

} // namespace qv::cli
