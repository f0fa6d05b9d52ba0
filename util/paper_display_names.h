// The names a person sees for a printer's papers.
#pragma once

#include <string>
#include <vector>

namespace plamor::paper {

// Display names of the printer's papers, one for each of `media` (its CUPS
// media names, in order), in UTF-8: the text the printer's PPD gives the page
// size of the same paper, else the printer's own text for the media name,
// else the media name itself.
std::vector<std::string> PaperDisplayNames(const std::string& printer, const std::vector<std::string>& media);

}  // namespace plamor::paper
