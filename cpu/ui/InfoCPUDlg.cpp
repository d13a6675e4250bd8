#include "cpu/ui/InfoCPUDlg.h"

#include "cpu/ProcessorWindowTexts.h"
#include "cpu/cxCPU2kVcl.h"
#include "forms/Look.h"
#include "platform/CursorTable.h"
#include "platform/ExceptionGuard.h"
#include "platform/HelpEngine.h"
#include "ui_InfoCPUDlg.h"

using qv::platform::guardedSlot;

namespace {

constexpr int kClockMeasurementMs = 2000;
constexpr int kTitlePixelSize = 16;

} // namespace

TInfoCPUDlg::TInfoCPUDlg(QWidget* parent)
    : QvDialog(parent)
    , m_ui(std::make_unique<Ui::InfoCPUDlg>())
    , cxCPU(new qv::cpu::TcxCPU2000(this))
{
    // The window's texts and its tabs are in the dialogs' font.
    const QFont font = qv::look::msSansSerifFont(11);
    setFont(font);
    m_ui->setupUi(this);
    setFixedSize(size());

    qv::look::attachDialogPages(*m_ui->PageControl1, {m_ui->TabSheet1, m_ui->TabSheet2}, font);

    m_ui->TypeProcesseur->setFont(qv::look::arialFont(kTitlePixelSize, true));
    m_ui->TypeProcesseur->setStyleSheet(
        QStringLiteral("color: %1; background: transparent;").arg(qv::look::kDialogText.name()));
    // The processor type is shown, never chosen.
    qv::look::makeDisplayOnly({m_ui->Standard, m_ui->OverDrive});
    for (TTransparentButton* button : {m_ui->TransparentButton9, m_ui->TransparentButton1})
        qv::look::styleDialogButton(*button);
    connect(m_ui->TransparentButton9, &TTransparentButton::clicked, this,
            guardedSlot(this, &TInfoCPUDlg::OKBtnClick));
    connect(m_ui->TransparentButton1, &TTransparentButton::clicked, this,
            guardedSlot(this, &TInfoCPUDlg::Button1Click));
    qv::platform::HelpEngine::bindHelpKey(this, kHelpContext);

    // As the form loader would: the stored settings, then the clock measurement they ask for.
    cxCPU->AutoBench().setEnabled(true);
    cxCPU->AutoBench().setDelay(kClockMeasurementMs);
    const qv::platform::ScopedScreenCursor clock(qv::platform::kClockCursorSlot);
    cxCPU->Loaded();
}

TInfoCPUDlg::~TInfoCPUDlg() = default;

void TInfoCPUDlg::FormActivate()
{
    const qv::cpu::ProcessorWindowTexts texts = qv::cpu::FillProcessorWindowTexts(*cxCPU);
    m_ui->PageControl1->setActivePage(m_ui->TabSheet1);
    showCommonTexts(texts);
    if (texts.detailedPage)
        showDetailedPage(texts);
    else
        hideDetailedPage();
}

void TInfoCPUDlg::showCommonTexts(const qv::cpu::ProcessorWindowTexts& texts)
{
    m_ui->TypeProcesseur->setText(texts.TypeProcesseur);
    m_ui->BusDonnees->setText(texts.BusDonnees);
    m_ui->BusAdresse->setText(texts.BusAdresse);
    m_ui->TailleCacheL1->setText(texts.TailleCacheL1);
    m_ui->TypeCacheL1->setText(texts.TypeCacheL1);
    m_ui->TailleCacheL2->setText(texts.TailleCacheL2);
    m_ui->TypeCacheL2->setText(texts.TypeCacheL2);
    m_ui->TypeSupport->setText(texts.TypeSupport);
    const std::pair<TLEDLabel*, bool> mainSpecifications[] = {{m_ui->Copro, texts.Copro},
                                                              {m_ui->SupportMMX, texts.SupportMMX},
                                                              {m_ui->Support3DNow, texts.Support3DNow},
                                                              {m_ui->SupportSIMD, texts.SupportSIMD}};
    for (const auto& [indicator, present] : mainSpecifications) {
        indicator->setEnabled(present);
        // Without CPUID nobody has checked the features: the lights are out as well as disabled.
        indicator->setLit(texts.detailedPage);
    }
}

void TInfoCPUDlg::showDetailedPage(const qv::cpu::ProcessorWindowTexts& texts)
{
    m_ui->Classe->setText(texts.Classe);
    m_ui->Modele->setText(texts.Modele);
    m_ui->Frequence->setText(texts.Frequence);
    m_ui->Marque->setText(texts.Marque);
    m_ui->OverDrive->setChecked(texts.OverDrive);
    m_ui->Standard->setChecked(!texts.OverDrive);
    m_ui->FrequenceInterne->setText(texts.FrequenceInterne);
    m_ui->FrequenceExterne->setText(texts.FrequenceExterne);
    m_ui->FrequencePCI->setText(texts.FrequencePCI);
    for (const qv::cpu::IndicatorState& feature : texts.features)
        if (auto* indicator = findChild<TLEDLabel*>(QString::fromLatin1(feature.name)))
            indicator->setEnabled(feature.enabled);
}

// Without CPUID only the general page remains.
void TInfoCPUDlg::hideDetailedPage()
{
    m_ui->TabSheet2->setTabVisible(false);
    m_ui->TabSheet2->setVisible(false);
    m_ui->TabSheet2->setEnabled(false);
}

void TInfoCPUDlg::OKBtnClick()
{
    close();
}

void TInfoCPUDlg::Button1Click()
{
    qv::platform::HelpEngine::instance().showHelp(this, kHelpContext);
}
