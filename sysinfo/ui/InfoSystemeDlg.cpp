#include "sysinfo/ui/InfoSystemeDlg.h"

#include "forms/Look.h"
#include "platform/ExceptionGuard.h"
#include "platform/HelpEngine.h"
#include "sysinfo/SysInfo.h"
#include "sysinfo/SystemWindowTexts.h"
#include "ui_InfoSystemeDlg.h"

using qv::platform::guardedSlot;

TInfoSystemeDlg::TInfoSystemeDlg(QWidget* parent)
    : QvDialog(parent)
    , m_ui(std::make_unique<Ui::InfoSystemeDlg>())
    , SysInfo(new qv::sysinfo::TSysInfo(this))
{
    SysInfo->setObjectName(QStringLiteral("SysInfo"));
    // The window's texts and its tabs are in the dialogs' font.
    const QFont font = qv::look::msSansSerifFont(11);
    setFont(font);
    m_ui->setupUi(this);
    setFixedSize(size());

    m_ui->PageControl1->OnChanging = [this](bool& allowChange) {
        qv::platform::guarded([&] { PageControl1Changing(allowChange); });
    };
    qv::look::attachDialogPages(*m_ui->PageControl1,
                                {m_ui->TabSheet1, m_ui->TabSheet2, m_ui->TabSheet3, m_ui->TabSheet4}, font);

    // The check boxes only show what was found.
    qv::look::makeDisplayOnly({m_ui->MSPlus, m_ui->ServicePack1, m_ui->ServicePack2});
    for (TTransparentButton* button : {m_ui->TransparentButton9, m_ui->TransparentButton1})
        qv::look::styleDialogButton(*button);
    connect(m_ui->TransparentButton9, &TTransparentButton::clicked, this,
            guardedSlot(this, &TInfoSystemeDlg::OKBtnClick));
    connect(m_ui->TransparentButton1, &TTransparentButton::clicked, this,
            guardedSlot(this, &TInfoSystemeDlg::Button1Click));
    qv::platform::HelpEngine::bindHelpKey(this, kHelpContext);
}

TInfoSystemeDlg::~TInfoSystemeDlg() = default;

void TInfoSystemeDlg::FormActivate()
{
    m_ui->PageControl1->setActivePage(m_ui->TabSheet1);
    m_installPageFilled = false;

    const qv::sysinfo::SystemWindowTexts texts = qv::sysinfo::FillSystemWindowTexts(*SysInfo);
    m_ui->Plateforme->setText(texts.edition.Plateforme);
    m_ui->OSVersion->setText(texts.OSVersion);
    m_ui->Release->setText(texts.Release);
    m_ui->NumSerie->setText(texts.NumSerie);
    m_ui->NomUtilisateur->setText(texts.NomUtilisateur);
    m_ui->NomOrganisation->setText(texts.NomOrganisation);
    m_ui->NomConnection->setText(texts.NomConnection);
    m_ui->NomOrdinateur->setText(texts.NomOrdinateur);

    m_ui->GroupVersionWin95->setVisible(texts.edition.windowsVersionVisible);
    if (texts.edition.windowsVersionVisible)
        m_ui->VersionWin95->setText(texts.edition.VersionWin95);
    m_showExtensions = texts.edition.ShowExtensions;

    m_ui->RepWindows->setText(texts.RepWindows);
    m_ui->RepSysteme->setText(texts.RepSysteme);
    m_ui->RepTemp->setText(texts.RepTemp);
}

void TInfoSystemeDlg::PageControl1Changing(bool& allowChange)
{
    allowChange = true;
    if (m_installPageFilled)
        return;
    const qv::sysinfo::InstallationTexts texts =
        qv::sysinfo::FillInstallationTexts(*SysInfo, m_showExtensions);
    m_ui->DateInstallationWindows->setText(texts.DateInstallationWindows);
    m_installPageFilled = true;
    m_ui->Extentions->setVisible(texts.extensionsVisible);
    m_ui->MSPlus->setChecked(texts.MSPlus);
    m_ui->ServicePack1->setChecked(texts.ServicePack1);
    m_ui->ServicePack2->setChecked(texts.ServicePack2);
}

void TInfoSystemeDlg::OKBtnClick()
{
    close();
}

void TInfoSystemeDlg::Button1Click()
{
    qv::platform::HelpEngine::instance().showHelp(this, kHelpContext);
}
