// Save of the three element records: each hands its values to the writer of
// the output kind. A removed element ("DEL") writes nothing; pen 0 writes
// nothing in any kind (the writers skip it); an unknown kind writes nothing.
#include "server/formats/atz_writer.h"
#include "server/formats/dxf_writer.h"
#include "server/formats/plm_writer.h"
#include "server/elements/z_circle.h"
#include "server/elements/z_line.h"
#include "server/elements/z_text.h"

namespace plamor {

SaveResult clsZLine::Save(ktpPlamorType kind, OutputFile& out, std::int32_t keta) {
  if (IsDeleted()) return SaveOk;
  const LineValues values{x1, y1, x2, y2, pich, Style, PenNo(), Layer};
  switch (kind) {
    case ktpAtz: return atz::SaveLine(out, values, keta);
    case ktpPlm: return plm::SaveLine(out, values);
    case ktpDxf: return dxf::SaveLine(out, values);
  }
  return SaveOk;
}

SaveResult clsZCircle::Save(ktpPlamorType kind, OutputFile& out, std::int32_t keta) {
  if (IsDeleted()) return SaveOk;
  const CircleValues values{x, CircleCentre::Y(*this), xr, yr, sAng, mang, lang, pich, Style, PenNo(), Layer};
  switch (kind) {
    case ktpAtz: return atz::SaveCircle(out, values, keta);
    case ktpPlm: return plm::SaveCircle(out, values);
    case ktpDxf: return dxf::SaveCircle(out, values);
  }
  return SaveOk;
}

SaveResult clsZText::Save(ktpPlamorType kind, OutputFile& out, std::int32_t keta) {
  if (IsDeleted()) return SaveOk;
  const TextValues values{x, y, sAng, height, width, Between, lang, FontType, Style, PenNo(), Layer, Text};
  switch (kind) {
    case ktpAtz: return atz::SaveText(out, values, keta);
    case ktpPlm: return plm::SaveText(out, values);
    case ktpDxf: return dxf::SaveText(out, values);
  }
  return SaveOk;
}

}  // namespace plamor
