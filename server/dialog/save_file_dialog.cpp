#include "server/dialog/save_file_dialog.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "platform/host_paths.h"
#include "platform/prompts.h"
#include "server/dialog/plamor_dlg.h"
#include "server/types.h"

namespace plamor {

namespace {

constexpr const char* kDxfFilter = "DXFファイル (*.dxf)|*.dxf|";
constexpr const char* kPlmFilter = "標準図面 (*.plm)|*.plm|";
constexpr const char* kAtzFilter = "標準テキスト (*.atz)|*.atz|";
constexpr const char* kNewDrawingName = "新規図面";

bool EndsWithSeparator(const std::string& path) {
  return !path.empty() && (path.back() == '/' || path.back() == '\\');
}

bool IsExistingFolder(const std::string& path) {
  if (path.empty()) return false;
  std::error_code error;
  return std::filesystem::is_directory(path, error) && !error;
}

}  // namespace

std::string SaveFileFilter(bool dxfOnly) {
  if (dxfOnly) return kDxfFilter;
  return std::string(kPlmFilter) + kAtzFilter + kDxfFilter;
}

std::string FolderOfPath(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string SaveFileDialog::ShowSave(bool dxfOnly) {
  prompts::SaveFileRequest request;
  request.title = kSaveDialogTitle;
  request.filter = SaveFileFilter(dxfOnly);
  request.filterIndex = 1;
  request.fileName = FileName;
  request.initialDir = FileName.empty() ? Settings().FilePath : FolderOfPath(FileName);
  request.confirmOverwrite = true;
  request.pathMustExist = true;
  std::optional<std::string> chosen;
  try {
    chosen = prompts::Current().SaveFileName(request);
  } catch (const std::exception&) {
    // A dialog that fails counts as cancelled; a scripted prompter has recorded it.
    return "";
  }
  if (!chosen || chosen->empty()) return "";
  FileName = *chosen;
  return FileName;
}

std::string OpenFileNameDlg(frmPlamorDlg& dlg) {
  std::string& filePath = Settings().FilePath;
  if (!IsExistingFolder(filePath)) filePath = folders::GetSpecialFolderPath(folders::kDesktopFolderId);
  dlg.CommonDialog1.FileName = filePath + (EndsWithSeparator(filePath) ? "" : "/") + kNewDrawingName;
  dlg.FileName = dlg.AskSaveFileName();
  if (!dlg.FileName.empty()) filePath = FolderOfPath(dlg.FileName);
  return dlg.FileName;
}

std::string frmPlamorDlg::AskSaveFileName() { return CommonDialog1.ShowSave(DXF_Only); }

std::string frmPlamorDlg::OpenFileNameDlg() { return plamor::OpenFileNameDlg(*this); }

}  // namespace plamor
