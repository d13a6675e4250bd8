#include "results/report/FigureText.h"

#include <cstdint>
#include <iomanip>
#include <sstream>

namespace qv::cli {

std::string figureText(double value)
{
    std::ostringstream text;
    if (results::isWholeNumber(value))
        text << static_cast<std::int64_t>(value);
    else
        text << std::fixed << std::setprecision(2) << value;
    return text.str();
}

std::string plainFiguresLine(std::string_view label, const results::Figures& figures)
{
    std::string line = std::string(label) + ':';
    for (std::size_t i = 0; i < figures.size(); ++i)
        line += (i == 0 ? " " : ", ") + figures[i].name + ' ' + figureText(figures[i].value);
    return line + '\n';
}

} // namespace qv::cli
