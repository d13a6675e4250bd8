#pragma once

#include "results/SavedResult.h"

namespace qv::cli {

// Completes a session whose runs are recorded, as every saved session is completed: the median of
// every figure, the warnings (the conditions' of every run, each once, then the spread of the
// indices), whether it is reliable, and the label (host name and date) when none was given.
void completeSession(results::SavedResult& session);

} // namespace qv::cli
