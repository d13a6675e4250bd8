#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

#include <initializer_list>

class QAbstractButton;
class QLabel;
class QLayout;
class QWidget;
class TExtPageControl;
class TTabSheet;
class TTransparentButton;

// The program's colours and the look shared by its windows.
namespace qv::look {

inline const QColor kMainWindowGrey{179, 179, 179};
inline const QColor kDialogBackground{198, 198, 214};
inline const QColor kDialogText{41, 41, 82};

// The picture at `path` (":/pictures/banner.png") for a screen of device pixel `ratio`: above 1, its @2x
// version where there is one, drawn at double resolution (it then reports a pixel ratio of 2, so it
// keeps its size on the screen). The windows' descriptions load their pictures through it.
QPixmap picture(const QString& path, qreal ratio);
QPixmap picture(const QString& path);

// Dialog background and text colours on `window` and everything in it.
void applyDialogLook(QWidget& window);

// A background colour for `widget` alone, painted behind its children.
void fillBackground(QWidget& widget, const QColor& colour);

// "Arial" (resolved to Liberation Sans) at a size in pixels, as the windows ask for it.
QFont arialFont(int pixelSize, bool bold = false);

// "MS Sans Serif" (resolved to Liberation Sans) at a size in pixels, the dialogs' text font.
QFont msSansSerifFont(int pixelSize, bool bold = false);

// Makes `widget`'s own font bold or regular, keeping its family and size.
void setBold(QWidget& widget, bool bold);

// Check boxes and radio buttons that only show a fact: neither the mouse nor the keyboard reach them.
void makeDisplayOnly(std::initializer_list<QAbstractButton*> buttons);

// The dialogs' push buttons: white bold Arial 13 over their button picture, clear of the mark that the
// picture carries in its first kButtonPictureMark pixels.
constexpr int kButtonPictureMark = 28;
void styleDialogButton(TTransparentButton& button);

// A dialog push button of 115 × 43 with `glyph` (a file of :/pictures/, "btn_help.png") beside its caption.
TTransparentButton* commandButton(QWidget* parent, const QString& caption, const QString& glyph);

// The bold line of a benchmark window that names the step a run is at, named "Progress" for tests and
// assistive tools.
QLabel* progressLabel(QWidget* parent);

// A benchmark window's Start/Stop button: "S&top" with the cancel glyph while `running`, else "&Start".
void showStartOrStop(TTransparentButton& button, bool running);

// The pages of an information window: attached to `control` in order, their tabs in the dialog
// background and `font`, then the control loaded.
void attachDialogPages(TExtPageControl& control, std::initializer_list<TTabSheet*> pages, const QFont& font);

// The band across the top of the program's own windows (picgen's title_*.png pictures): named
// "TitleBand", as high as the picture, which is drawn for the widest window, so narrower ones show its
// left part. The caller places it at the window's top edge.
inline constexpr int kTitleBandHeight = 56;
QLabel* titleBand(QWidget& window, const QString& picturePath, const QString& accessibleName);

void placeUnderTitleBand(QWidget& window, const QString& picturePath, QLayout* content);

// Lays `window` out as its title band over `content`, which keeps the usual margins; returns `content`.
template<typename Layout>
Layout* underTitleBand(QWidget& window, const QString& picturePath, Layout* content)
{
    placeUnderTitleBand(window, picturePath, content);
    return content;
}

// Puts a top-level window in the middle of the screen it is on.
void centreOnScreen(QWidget& window);

} // namespace qv::look
