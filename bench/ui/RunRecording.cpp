#include "bench/ui/RunRecording.h"

namespace qv::benchui {

RunRecording::RunRecording(results::Benchmark benchmark)
    : m_benchmark(benchmark)
{
}

void RunRecording::begin()
{
    m_run.emplace(m_benchmark, qv::cli::programSignature());
    m_run->begin();
}

void RunRecording::finish(results::Figures figures, results::SetupFacts setup)
{
    if (!m_run)
        return;
    m_last = m_run->finish(std::move(figures), std::move(setup));
    m_run.reset();
    qv::cli::sessionLog().add(*m_last);
}

void RunRecording::drop()
{
    m_run.reset();
}

} // namespace qv::benchui
