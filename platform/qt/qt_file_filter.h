// The save-file dialog's filter in the host's form ("Name (*.ext)|*.ext|...")
// as Qt name filters ("Name (*.ext)").
#pragma once

#include <QStringList>
#include <string>

namespace plamor::prompts {

// One Qt name filter per description/pattern pair; a pattern list "*.a;*.b"
// becomes "*.a *.b". A description that already names its patterns is kept.
QStringList ToQtNameFilters(const std::string& hostFilter);

}  // namespace plamor::prompts
