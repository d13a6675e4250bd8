#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace qv::cpu {

class TcxCPU2000;

// One LED of the window, named after its control, and whether it shows its feature as present (lit
// and enabled).
struct IndicatorState {
    const char* name;
    bool enabled;
};

// What the processor information window shows, computed from the detection record as its activation
// does. The detailed page's texts keep their design-time "?" when the processor has no CPUID.
struct ProcessorWindowTexts {
    // Set for every processor; the cache and socket lines stand on the detailed page.
    QString name;   // the model name after the Celeron refinement; it selects the table row
    QString suffix; // "", " série E" or " série EB"
    QString TypeProcesseur;
    QString BusDonnees;
    QString BusAdresse;
    QString TailleCacheL1;
    QString TypeCacheL1;
    QString TailleCacheL2;
    QString TypeCacheL2;
    QString TypeSupport;
    // Without CPUID nobody has checked the features, so the four indicators are off.
    bool Copro = false;
    bool SupportMMX = false;
    bool Support3DNow = false;
    bool SupportSIMD = false;

    // Detailed page, hidden without CPUID.
    bool detailedPage = false;
    QString Classe = QStringLiteral("?");
    QString Modele = QStringLiteral("?");
    QString Frequence = QStringLiteral("?");
    QString Marque = QStringLiteral("?");
    bool OverDrive = false;
    QString FrequenceInterne = QStringLiteral("?");
    std::int32_t external = 0; // MHz, 0 when the window shows "?"
    QString FrequenceExterne = QStringLiteral("?");
    std::int32_t pci = 0;
    QString FrequencePCI = QStringLiteral("?");
    // The sixteen feature indicators in the window's order; all off without CPUID.
    std::vector<IndicatorState> features;
};

// Runs the window's activation over the record: renames the processor (IdentifyProcessor, so FullName
// loses any brand string) and computes every text.
ProcessorWindowTexts FillProcessorWindowTexts(TcxCPU2000& cpu);

} // namespace qv::cpu
