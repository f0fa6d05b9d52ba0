#include "apps/plamor_draw/relay/server_sheets.h"

#include <filesystem>
#include <stdexcept>

#include "apps/plamor_draw/command_steps.h"
#include "apps/plamor_draw/relay/drawing_link.h"
#include "apps/plamor_draw/relay/model_registration.h"
#include "drawings/drawing_files.h"
#include "platform/folders.h"
#include "server/dbus/dbus_client.h"

namespace plamor::draw {

ServerSheets::ServerSheets(host::Transport transport) : transport_(transport) {
  if (!folder_.isValid())
    throw std::runtime_error("no temporary folder for the sheets' copies: " + folder_.errorString().toStdString());
}

drawings::DrawingModel ServerSheets::Draw(const drawings::DrawingModel& sheet, const OutputTarget* file) {
  ++drawn_;
  const std::string copy = folder_.filePath("sheet.plm").toStdString();
  std::error_code ec;
  std::filesystem::remove(copy, ec);
  const std::string name = file ? file->Final().string() : "sheet " + std::to_string(drawn_);
  const std::string first = file ? file->Temporary().string() : copy;

  DrawingLink link(transport_, first, nullptr);
  if (file) link.KeepCopyIn(copy);
  dbus::NameOutputOnServerLoss([&name] { return name; }, [&] {
    std::unique_ptr<IPlamor> drawing = link.Create();
    drawing->put_FileName(first);
    RegisterModel(sheet, *drawing);
    drawing->OutPutPlamor(folders::StrokeFontFile().string());
    WaitForOutput(*drawing);
    drawing->Clear();
  });
  RequireWritten(link, name);
  if (!std::filesystem::is_regular_file(copy, ec))
    throw std::runtime_error(name + ": the drawing server wrote no copy of the sheet");
  drawings::DrawingModel written = drawings::ReadDrawingFile(copy);
  written.layerNames = sheet.layerNames;
  return written;
}

}  // namespace plamor::draw
