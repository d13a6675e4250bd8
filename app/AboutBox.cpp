#include "app/AboutBox.h"

#include "app/ProductLinks.h"

#include "forms/Look.h"
#include "platform/ExceptionGuard.h"
#include "platform/Shell.h"
#include "ui_AboutBox.h"

#include <QMouseEvent>

using qv::platform::guardedSlot;

TAboutBox::TAboutBox(QWidget* parent)
    : QvDialog(parent)
    , m_ui(std::make_unique<Ui::AboutBox>())
{
    m_ui->setupUi(this);
    setFixedSize(size());

    const QFont bold = qv::look::arialFont(13, true);
    for (QLabel* label : {m_ui->VersionNum, m_ui->LNoyau, m_ui->Label1, m_ui->Label6, m_ui->Label5})
        label->setFont(bold);
    QFont link = bold;
    link.setUnderline(true);
    m_ui->Label1->setFont(link);
    m_ui->Label5->setFont(link);
    m_ui->Label1->setText(qv::app::webSiteUrl().toString());
    m_ui->Label5->setText(qv::app::supportMailUrl().path());
    m_ui->Label5->setStyleSheet(QStringLiteral("color: navy;"));
    m_ui->Label1->installEventFilter(this);
    m_ui->Label5->installEventFilter(this);

    qv::look::styleDialogButton(*m_ui->TransparentButton9);
    connect(m_ui->TransparentButton9, &TTransparentButton::clicked, this,
            guardedSlot(this, &TAboutBox::OKButtonClick));
}

TAboutBox::~TAboutBox() = default;

// The two links are plain labels that react to a click.
bool TAboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == m_ui->Label1)
            qv::platform::guarded([this] { Label1Click(); });
        else if (watched == m_ui->Label5)
            qv::platform::guarded([this] { Label5Click(); });
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::FormActivate()
{
    const QString version = QString::fromLatin1(kVersion);
    const QString date = QString::fromLatin1(kReleaseDate);
    QString text = QStringLiteral("Version ") + version;
    if (!date.isEmpty())
        text += QStringLiteral(" - ") + date;
    m_ui->VersionNum->setText(text);
    m_ui->LNoyau->setText(QStringLiteral("Kernel ") + QString::fromLatin1(kKernel));
}

QString TAboutBox::versionText() const
{
    return m_ui->VersionNum->text();
}

QString TAboutBox::kernelText() const
{
    return m_ui->LNoyau->text();
}

void TAboutBox::Label1Click()
{
    qv::platform::ShellOpen(this, qv::app::webSiteUrl());
}

void TAboutBox::Label5Click()
{
    qv::platform::ShellOpen(this, qv::app::supportMailUrl());
}

void TAboutBox::OKButtonClick()
{
    close();
}
