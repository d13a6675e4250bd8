#pragma once

#include "IconShapes.h"

// The drawing of each icon on the 22-unit grid; Icons.cpp maps the Icon values onto them.
namespace qv::picgen::icons {

using Drawing = void (*)(const IconPainter&);

void chip(const IconPainter& ip);
void memory(const IconPainter& ip);
void hardDisk(const IconPainter& ip);
void drives(const IconPainter& ip);
void monitor(const IconPainter& ip);
void cube(const IconPainter& ip);
void disc(const IconPainter& ip);
void globe(const IconPainter& ip);
void networkedPcs(const IconPainter& ip);
void videoCard(const IconPainter& ip);
void motherboard(const IconPainter& ip);
void tower(const IconPainter& ip);
void plug(const IconPainter& ip);
void product(const IconPainter& ip);
void gauge(const IconPainter& ip);
void appWindow(const IconPainter& ip);
void floppy(const IconPainter& ip);
void clipboard(const IconPainter& ip);
void networkTree(const IconPainter& ip);
void chartUp(const IconPainter& ip);
void sliders(const IconPainter& ip);
void pulse(const IconPainter& ip);
void archive(const IconPainter& ip);
void restore(const IconPainter& ip);
void wand(const IconPainter& ip);
void tools(const IconPainter& ip);
void info(const IconPainter& ip);

} // namespace qv::picgen::icons
