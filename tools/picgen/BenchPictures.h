#pragma once

namespace qv::picgen {

class PictureSink;

// The pictures of the benchmark windows: the stars pictures of the ratings, the chart background,
// the benchmark illustration, the grey background and the glyphs of the chart window's page buttons.
void makeBenchPictures(PictureSink& sink);

} // namespace qv::picgen
