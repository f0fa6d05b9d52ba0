// The server dialog's save-file dialog: the filters of the three output
// kinds (or DXF alone), overwrite confirmation, an existing folder required,
// and the file name it offers next time.
#pragma once

#include <string>

namespace plamor {

class frmPlamorDlg;

// The title of the save-file dialog.
inline constexpr const char* kSaveDialogTitle = "名前を付けて保存";

// The filter in the host's form: "DXFファイル (*.dxf)|*.dxf|" alone, or the
// standard drawing file, the standard text file and DXF, in this order.
std::string SaveFileFilter(bool dxfOnly);

class SaveFileDialog {
 public:
  // The full path the dialog offers; after a choice, the chosen path.
  std::string FileName;

  // Shows the save dialog (first filter preselected) through the current
  // prompter. The chosen path, or "" when the user cancels or the dialog fails.
  std::string ShowSave(bool dxfOnly);
};

// The folder part of a path with its trailing separator ("/" or "\"); "" when
// the path has no separator.
std::string FolderOfPath(const std::string& path);

// The dialog's OpenFileNameDlg: falls back to the desktop folder when FilePath
// names no existing folder, offers FilePath + "新規図面", stores the choice in
// FileName and, after a choice, its folder in FilePath. Returns FileName.
std::string OpenFileNameDlg(frmPlamorDlg& dlg);

}  // namespace plamor
