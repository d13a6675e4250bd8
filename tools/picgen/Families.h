#pragma once

#include "Icons.h"

#include <QString>

#include <span>

namespace qv::picgen {

class PictureSink;

// The four groups of the main window, in tab order.
struct Group {
    QString title;
    QString tagline;
    Icon icon;
    Icon illustration;
};
std::span<const Group> groups();

// A command button of a group page: its glyph name (cmd_<name>.png), label and icon.
struct Command {
    const char* name;
    const char* label;
    Icon icon;
    int group;
};
std::span<const Command> commands();
int commandCount(int group);

// Geometry shared with the main window, which lays buttons over these pictures.
namespace layout {
constexpr int TabLeft = 8, TabStep = 121, TabTop = 4, TabWidth = 117, TabHeight = 34;
constexpr int HintBandTop = 40;
constexpr int ColumnLeft = 252, ColumnTop = 4, ColumnWidth = 240, RowHeight = 26;
} // namespace layout

// Each family writes its pictures into the sink.
void makeTitlePictures(PictureSink& sink);
void makeTabPictures(PictureSink& sink);
void makePagePictures(PictureSink& sink);
void makeCommandGlyphs(PictureSink& sink);
void makeButtonGlyphs(PictureSink& sink);
void makeSmallPictures(PictureSink& sink);

} // namespace qv::picgen
