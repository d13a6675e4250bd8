#include "hardware/ui/HardwareDialog.h"

#include "forms/Look.h"
#include "platform/ExceptionGuard.h"
#include "platform/HelpEngine.h"
#include "widgets/ExtPage.h"
#include "widgets/TransBtn.h"

#include <QLabel>
#include <QVBoxLayout>

namespace qv::hardwareui {

using platform::guardedSlot;

namespace {

constexpr int kMargin = 8;
constexpr int kButtonWidth = 115;
constexpr int kButtonHeight = 43;

TTransparentButton* dialogButton(QWidget* parent, const char* name, const QString& caption,
                                 const QString& hint, const QString& glyph)
{
    auto* button = new TTransparentButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setCaption(caption);
    button->setToolTip(hint);
    button->setGlyph(look::picture(glyph));
    button->setFrameStyle(TTransparentButton::fsNone);
    button->setCursor(Qt::PointingHandCursor);
    look::styleDialogButton(*button);
    return button;
}

} // namespace

HardwareDialog::HardwareDialog(QWidget* parent, const QString& title, const QString& bandPicture,
                               int helpContext, QSize size)
    : QvDialog(parent)
    , m_band(look::titleBand(*this, bandPicture, title))
    , m_pages(new TExtPageControl(this))
    , m_close(dialogButton(this, "CloseBtn", tr("&Close"), tr("Close this window"),
                           QStringLiteral(":/pictures/btn_close.png")))
    , m_help(dialogButton(this, "HelpBtn", tr("&Help"), tr("Show the help"),
                          QStringLiteral(":/pictures/btn_help.png")))
    , m_helpContext(helpContext)
{
    setWindowTitle(title);
    setFont(look::msSansSerifFont(11));
    setFixedSize(size);
    const int width = size.width();

    m_band->setGeometry(0, 0, width, look::kTitleBandHeight);

    m_pages->setObjectName(QStringLiteral("PageControl1"));
    const int buttonTop = size.height() - kMargin - kButtonHeight;
    m_pages->setGeometry(kMargin, look::kTitleBandHeight + kMargin, width - 2 * kMargin,
                         buttonTop - look::kTitleBandHeight - 2 * kMargin);
    m_pages->setTabWidth(110);

    m_help->setGeometry(width - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
    m_close->setGeometry(m_help->x() - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
    setDefaultButton(m_close);
    connect(m_close, &TTransparentButton::clicked, this, guardedSlot(this, &HardwareDialog::CloseBtnClick));
    connect(m_help, &TTransparentButton::clicked, this, guardedSlot(this, &HardwareDialog::HelpBtnClick));
    platform::HelpEngine::bindHelpKey(this, helpContext);
}

TTabSheet* HardwareDialog::newPage(const QString& caption)
{
    auto* page = new TTabSheet(m_pages);
    page->setCaption(caption);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(8);
    return page;
}

void HardwareDialog::attachPages(std::initializer_list<TTabSheet*> pages)
{
    look::attachDialogPages(*m_pages, pages, font());
}

void HardwareDialog::FormActivate()
{
    if (m_pages->count() > 0)
        m_pages->setCurrentIndex(0);
}

void HardwareDialog::CloseBtnClick()
{
    close();
}

void HardwareDialog::HelpBtnClick()
{
    platform::HelpEngine::instance().showHelp(this, m_helpContext);
}

} // namespace qv::hardwareui
