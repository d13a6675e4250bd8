#include "app/ConseilDuJourDlg.h"

#include "app/TipPreference.h"
#include "forms/Look.h"
#include "libs/qvconsl/qvconsl.h"
#include "platform/ExceptionGuard.h"
#include "ui_ConseilDuJourDlg.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QRandomGenerator>

using qv::platform::guardedSlot;

TipSource TipSource::library()
{
    return {GetNbConseil, GetConseil, [](std::int32_t limit) {
                // A generator seeded from the clock for each window, as each showing draws once.
                QRandomGenerator random(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
                return limit > 0 ? static_cast<std::int32_t>(random.bounded(limit)) : 0;
            }};
}

TConseilDuJourDlg::TConseilDuJourDlg(QWidget* parent, TipSource tips, QString preferenceFolder)
    : QvDialog(parent)
    , m_ui(std::make_unique<Ui::ConseilDuJourDlg>())
    , m_tips(std::move(tips))
    , m_preferenceFolder(std::move(preferenceFolder))
{
    m_ui->setupUi(this);
    setFixedSize(size());
    m_ui->Label1->setFont(qv::look::arialFont(13, true));
    m_ui->Conseil->setFont(qv::look::arialFont(13));
    m_ui->AffichageAuDemarrage->setFont(qv::look::arialFont(12));
    qv::look::styleDialogButton(*m_ui->TransparentButton1);
    qv::look::styleDialogButton(*m_ui->TransparentButton2);

    connect(m_ui->TransparentButton1, &TTransparentButton::clicked, this,
            guardedSlot(this, &TConseilDuJourDlg::buttonOKClick));
    connect(m_ui->TransparentButton2, &TTransparentButton::clicked, this,
            guardedSlot(this, &TConseilDuJourDlg::Button2Click));
    // Every change of the box rewrites the preference, whether the user or the window made it.
    connect(m_ui->AffichageAuDemarrage, &QCheckBox::toggled, this,
            guardedSlot(this, &TConseilDuJourDlg::AffichageAuDemarrageClick));
}

TConseilDuJourDlg::~TConseilDuJourDlg() = default;

void TConseilDuJourDlg::FormActivate()
{
    m_tipCount = m_tips.count();
    m_currentTip = m_tips.randomBelow(m_tipCount) + 1;
    showTip();
    m_ui->AffichageAuDemarrage->setChecked(true);
}

void TConseilDuJourDlg::Button2Click()
{
    ++m_currentTip;
    if (m_currentTip > m_tipCount)
        m_currentTip = 1;
    showTip();
}

void TConseilDuJourDlg::buttonOKClick()
{
    hide();
    QCoreApplication::processEvents();
    accept();
}

void TConseilDuJourDlg::AffichageAuDemarrageClick()
{
    qv::app::writeTipPreference(m_ui->AffichageAuDemarrage->isChecked(), m_preferenceFolder);
}

void TConseilDuJourDlg::showTip()
{
    std::string text;
    m_tips.text(m_currentTip, text);
    m_ui->Conseil->setText(QString::fromStdString(text));
}

QString TConseilDuJourDlg::tipText() const
{
    return m_ui->Conseil->text();
}

bool TConseilDuJourDlg::showTipsChecked() const
{
    return m_ui->AffichageAuDemarrage->isChecked();
}
