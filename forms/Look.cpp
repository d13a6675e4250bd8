#include "forms/Look.h"

#include "widgets/ExtPage.h"
#include "widgets/TransBtn.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

namespace qv::look {

QPixmap picture(const QString& path, qreal ratio)
{
    if (ratio > 1 && path.endsWith(QLatin1String(".png"))) {
        const QString doubled = path.chopped(4) + QStringLiteral("@2x.png");
        if (QFile::exists(doubled)) {
            QPixmap sharp(doubled);
            sharp.setDevicePixelRatio(2);
            return sharp;
        }
    }
    return QPixmap(path);
}

QPixmap picture(const QString& path)
{
    return picture(path, qApp->devicePixelRatio());
}

void fillBackground(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void applyDialogLook(QWidget& window)
{
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, kDialogBackground);
    palette.setColor(QPalette::Button, kDialogBackground);
    palette.setColor(QPalette::WindowText, kDialogText);
    palette.setColor(QPalette::Text, kDialogText);
    palette.setColor(QPalette::ButtonText, kDialogText);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

namespace {

QFont fontOf(const QString& family, int pixelSize, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

QFont arialFont(int pixelSize, bool bold)
{
    return fontOf(QStringLiteral("Arial"), pixelSize, bold);
}

QFont msSansSerifFont(int pixelSize, bool bold)
{
    return fontOf(QStringLiteral("MS Sans Serif"), pixelSize, bold);
}

void setBold(QWidget& widget, bool bold)
{
    QFont font = widget.font();
    font.setBold(bold);
    widget.setFont(font);
}

void makeDisplayOnly(std::initializer_list<QAbstractButton*> buttons)
{
    for (QAbstractButton* button : buttons) {
        button->setAttribute(Qt::WA_TransparentForMouseEvents);
        button->setFocusPolicy(Qt::NoFocus);
    }
}

void styleDialogButton(TTransparentButton& button)
{
    button.setFont(arialFont(13, true));
    button.setGlyphMark(kButtonPictureMark);
    QPalette palette = button.palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    palette.setColor(QPalette::ButtonText, Qt::white);
    button.setPalette(palette);
}

void attachDialogPages(TExtPageControl& control, std::initializer_list<TTabSheet*> pages, const QFont& font)
{
    for (TTabSheet* page : pages)
        page->setPageControl(&control);
    control.setTabActiveColor(kDialogBackground);
    control.setTabInactiveColor(kDialogBackground);
    control.setTabActiveFont(font);
    control.setTabInactiveFont(font);
    control.Loaded();
}

QLabel* progressLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("Progress"));
    label->setAccessibleName(QStringLiteral("Progress"));
    setBold(*label, true);
    return label;
}

void showStartOrStop(TTransparentButton& button, bool running)
{
    button.setCaption(running ? QStringLiteral("S&top") : QStringLiteral("&Start"));
    button.setGlyph(picture(running ? QStringLiteral(":/pictures/btn_cancel.png")
                                    : QStringLiteral(":/pictures/btn_start.png")));
}

TTransparentButton* commandButton(QWidget* parent, const QString& caption, const QString& glyph)
{
    auto* button = new TTransparentButton(parent);
    button->setCaption(caption);
    button->setGlyph(picture(QStringLiteral(":/pictures/") + glyph));
    button->setFixedSize(115, 43);
    styleDialogButton(*button);
    return button;
}

QLabel* titleBand(QWidget& window, const QString& picturePath, const QString& accessibleName)
{
    auto* band = new QLabel(&window);
    band->setObjectName(QStringLiteral("TitleBand"));
    band->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    band->setPixmap(picture(picturePath));
    band->setFixedHeight(kTitleBandHeight);
    band->setMinimumWidth(0);
    band->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    band->setAccessibleName(accessibleName);
    return band;
}

void placeUnderTitleBand(QWidget& window, const QString& picturePath, QLayout* content)
{
    auto* outer = new QVBoxLayout(&window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(titleBand(window, picturePath, window.windowTitle()));
    content->setContentsMargins(10, 10, 10, 10);
    outer->addLayout(content);
}

void centreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

} // namespace qv::look
