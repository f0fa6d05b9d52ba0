#include "server/formats/write_context.h"

#include "platform/settings_store.h"
#include "server/formats/dxf_r12_writer.h"
#include "server/formats/layer_codes.h"

namespace plamor {
namespace {

bool CodePageRequested() {
  try {
    return settings::GetSetting(dxf::kCodePageApplication, dxf::kCodePageSection, dxf::kCodePageKey) ==
           dxf::kJapaneseCodePage;
  } catch (const settings::SettingsError&) {
    return false;  // an unreadable settings file leaves the header as it always was
  }
}

}  // namespace

WriteContext BuildWriteContext(ktpPlamorType kind, ModuleSettings& settings, std::int32_t atzKeta) {
  WriteContext context;
  if (kind == ktpDxf) {
    dxf::NameUnnamedLayers(settings.LayerName);
    context.dxfCodePage = CodePageRequested();
  }
  context.layerNames = settings.LayerName;
  for (std::size_t layer = 1; layer < context.layerNames.size(); ++layer)
    context.dxfEntityLayers[layer] = dxf::EntityLayerValue(context.layerNames[layer]);
  context.dxfPenColor = settings.DxfPenColor;
  context.layerCode = settings.LayerCode;
  if (context.layerCode[1] == 0) BuildLayerCodeTable(context.layerCode);  // no dialog has built them yet
  context.atzKeta = atzKeta;
  return context;
}

}  // namespace plamor
