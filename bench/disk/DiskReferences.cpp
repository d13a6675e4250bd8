#include "bench/disk/DiskReferences.h"

#include <algorithm>
#include <cmath>

namespace qv::bench::disk {

const std::vector<DiskReference>& diskReferences()
{
    // Sequential Q8 read, write; sequential Q1 read, write; random Q32 read, write; random Q1 read, write.
    static const std::vector<DiskReference> kReferences{
        {"5,400 rpm disk", {{110, 105, 105, 100, 0.6, 1.2, 0.3, 1.0}}},
        {"7,200 rpm disk", {{200, 190, 190, 185, 0.9, 1.8, 0.4, 1.5}}},
        {"SATA SSD", {{550, 520, 480, 450, 380, 350, 45, 110}}},
        {"NVMe PCIe 3.0 SSD", {{3400, 3000, 1900, 2300, 1800, 1700, 60, 200}}},
        {"NVMe PCIe 4.0 SSD", {{7000, 6500, 3000, 4500, 3500, 3400, 80, 250}}},
        {"USB 2.0 flash drive", {{35, 15, 33, 14, 4, 0.1, 3.5, 0.1}}},
        {"USB 3.0 flash drive", {{150, 60, 130, 50, 8, 0.8, 6, 0.7}}},
        {"SD card", {{90, 60, 85, 55, 6, 2, 5, 1.5}}},
    };
    return kReferences;
}

double diskIndex(const DiskRates& rates)
{
    const auto& references = diskReferences();
    const auto base = std::find_if(references.begin(), references.end(),
                                   [](const DiskReference& row) { return row.label == kIndexReference; });
    double logSum = 0;
    for (std::size_t i = 0; i < rates.size(); ++i) {
        if (!(rates[i] > 0))
            return 0;
        logSum += std::log(rates[i] / base->rates[i]);
    }
    return 1000 * std::exp(logSum / double(rates.size()));
}

DiskRates diskRates(const DiskResult& result)
{
    DiskRates rates{};
    for (std::size_t i = 0; i < result.tests.size() && 2 * i + 1 < rates.size(); ++i) {
        const DiskTestResult& test = result.tests[i];
        rates[2 * i] = test.read ? test.read->megabytesPerSecond : 0;
        rates[2 * i + 1] = test.write ? test.write->megabytesPerSecond : 0;
    }
    return rates;
}

} // namespace qv::bench::disk
