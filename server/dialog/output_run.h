// The output run of the server dialog: settles the file name and the output
// kind, merges line pieces, draws every element into the preview while its
// sizes become drawing units, writes the file of the chosen kind and the memo
// file beside a standard drawing file, and reports progress, cancelling and
// file errors in the dialog.
//
// The file is written beside its target and put in its place only when it is
// complete: a file of the same name that existed before the run is never
// deleted by a run that stops, and is replaced in one step by a run that ends.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "server/types.h"

namespace plamor {

class frmPlamorDlg;
class OutputFile;

// Makes the file the run writes through (one per attempt at the drawing file,
// one for the memo file).
using OutputFileMaker = std::function<std::unique_ptr<OutputFile>()>;
std::unique_ptr<OutputFile> MakeDiskOutputFile();

// One output run (the dialog's OutPutPlamor). True when a file was written
// complete. IdolePlamorOutPut is False at its end on every path.
bool RunOutput(frmPlamorDlg& dlg, const std::string& mglPath,
               const OutputFileMaker& makeFile = MakeDiskOutputFile);

// The output kind the last three characters of the file name select, without
// regard to case; false when they select none.
bool KindFromFileName(std::string_view fileName, ktpPlamorType& kind);

// The stroke-font file: mglPath when its file, looked up in its folder without
// regard to case, is M_G_L.KVD (the path of that entry); otherwise M_G_L.KVD
// in `programFolder`.
std::string ResolveStrokeFontPath(const std::string& mglPath, const std::string& programFolder);

// The preview's world window from (0, 0): the whole sheet in drawing units,
// in the proportions 84 : 59 of the preview picture.
struct WorldWindow {
  double width = 0;
  double height = 0;
};
WorldWindow PreviewWorldWindow(double paperTate, double paperYoko, double paperScale);

}  // namespace plamor
