#pragma once

#include <QString>

#include <cstdint>

namespace qv::cpu {

class TcxCPU2000;

// What the processor information window shows, computed from the detection record as its activation
// does. The detailed page's texts keep their design-time "?" when the processor has no CPUID.
struct ProcessorWindowTexts {
    // General page.
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

    // Detailed page, hidden without CPUID.
    bool detailedPage = false;
    bool Copro = true;
    bool SupportMMX = true;
    bool Support3DNow = true;
    bool SupportSIMD = true;
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
};

// Runs the window's activation over the record: renames the processor (IdentifyProcessor, so FullName
// loses any brand string) and computes every text.
ProcessorWindowTexts FillProcessorWindowTexts(TcxCPU2000& cpu);

} // namespace qv::cpu
