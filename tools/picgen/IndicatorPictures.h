#pragma once

namespace qv::picgen {

class PictureSink;

// The pictures of the drawn indicator controls: the LED sheet, the counter's digit strip and the two
// check-mark strips of the benchmark run window.
void makeIndicatorPictures(PictureSink& sink);

} // namespace qv::picgen
