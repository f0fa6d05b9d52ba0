#include "util/cups_media_table.h"

#include <cups/cups.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <strings.h>

namespace plamor::paper {
namespace {

// Paper size codes and CUPS media names.
//
// Hosts name papers by the DMPAPER_ codes of the left column; CUPS names them
// by PWG media keywords ("iso_a4_210x297mm", what IPP printers and cupsd
// report in media-supported / media-default) or, for PPD-driven queues and
// older option files, by PPD PageSize keywords ("A4"). One row binds a code to
// both names and to the name a Japanese office printer shows for it.
//
//   code  DMPAPER_               PWG media name              PPD name               paper name
//      1  LETTER                 na_letter_8.5x11in          Letter                 レター
//      3  TABLOID                na_ledger_11x17in           Tabloid                タブロイド
//      5  LEGAL                  na_legal_8.5x14in           Legal                  リーガル
//      6  STATEMENT              na_invoice_5.5x8.5in        Statement              ステートメント
//      7  EXECUTIVE              na_executive_7.25x10.5in    Executive              エグゼクティブ
//      8  A3                     iso_a3_297x420mm            A3                     A3
//      9  A4                     iso_a4_210x297mm            A4                     A4
//     11  A5                     iso_a5_148x210mm            A5                     A5
//     12  B4 (JIS)               jis_b4_257x364mm            B4                     B4 (JIS)
//     13  B5 (JIS)               jis_b5_182x257mm            B5                     B5 (JIS)
//     14  FOLIO (8.5 x 13 in)    na_foolscap_8.5x13in        FanFoldGermanLegal     フォリオ
//     15  QUARTO                 na_quarto_8.5x10.83in       Quarto                 クォート
//     20  ENV_10                 na_number-10_4.125x9.5in    Env10                  封筒 #10
//     27  ENV_DL                 iso_dl_110x220mm            EnvDL                  封筒 DL
//     28  ENV_C5                 iso_c5_162x229mm            EnvC5                  封筒 C5
//     30  ENV_C4                 iso_c4_229x324mm            EnvC4                  封筒 C4
//     31  ENV_C6                 iso_c6_114x162mm            EnvC6                  封筒 C6
//     34  ENV_B5 (ISO B5)        iso_b5_176x250mm            ISOB5                  B5 (ISO)
//     37  ENV_MONARCH            na_monarch_3.875x7.5in      EnvMonarch             封筒 Monarch
//     43  ISO_B4                 iso_b4_250x353mm            ISOB4                  B4 (ISO)
//     44  JAPANESE_POSTCARD      jpn_hagaki_100x148mm        Postcard               はがき
//     66  A2                     iso_a2_420x594mm            A2                     A2
//     69  DBL_JAPANESE_POSTCARD  jpn_oufuku_148x200mm        DoublePostcardRotated  往復はがき
//     70  A6                     iso_a6_105x148mm            A6                     A6
//     71  JENV_KAKU2             jpn_kaku2_240x332mm         EnvKaku2               角形2号
//     72  JENV_KAKU3             jpn_kaku3_216x277mm         EnvKaku3               角形3号
//     73  JENV_CHOU3             jpn_chou3_120x235mm         EnvChou3               長形3号
//     74  JENV_CHOU4             jpn_chou4_90x205mm          EnvChou4               長形4号
//     88  B6_JIS                 jis_b6_128x182mm            B6                     B6 (JIS)
//     91  JENV_YOU4              jpn_you4_105x235mm          EnvYou4                洋形4号
//
// Rules:
// - Code to name: a printer is given the media name it lists itself (either
//   form) for the code; a printer that lists none is given the PWG name.
// - Name to code: exact PWG name, then PPD name without regard to letter
//   case, then the size CUPS knows for the name (also for names with a suffix
//   such as ".Borderless"), matched to a row within half a millimetre in both
//   directions. The PPD names "B4"/"B5" are the JIS sizes, as in PPD files.
// - Papers of a printer that match no row get the codes 256 and up (the
//   host's range for a printer's own papers): 256 plus their place in the
//   printer's media list.
// - Landscape-fed variants (DMPAPER_*_ROTATED, LEDGER) have no row: CUPS
//   names a paper once, and its orientation is the separate
//   orientation-requested option.
constexpr MediaKind kMediaKinds[] = {
    {1, "na_letter_8.5x11in", "Letter", "レター"},
    {3, "na_ledger_11x17in", "Tabloid", "タブロイド"},
    {5, "na_legal_8.5x14in", "Legal", "リーガル"},
    {6, "na_invoice_5.5x8.5in", "Statement", "ステートメント"},
    {7, "na_executive_7.25x10.5in", "Executive", "エグゼクティブ"},
    {8, "iso_a3_297x420mm", "A3", "A3"},
    {9, "iso_a4_210x297mm", "A4", "A4"},
    {11, "iso_a5_148x210mm", "A5", "A5"},
    {12, "jis_b4_257x364mm", "B4", "B4 (JIS)"},
    {13, "jis_b5_182x257mm", "B5", "B5 (JIS)"},
    {14, "na_foolscap_8.5x13in", "FanFoldGermanLegal", "フォリオ"},
    {15, "na_quarto_8.5x10.83in", "Quarto", "クォート"},
    {20, "na_number-10_4.125x9.5in", "Env10", "封筒 #10"},
    {27, "iso_dl_110x220mm", "EnvDL", "封筒 DL"},
    {28, "iso_c5_162x229mm", "EnvC5", "封筒 C5"},
    {30, "iso_c4_229x324mm", "EnvC4", "封筒 C4"},
    {31, "iso_c6_114x162mm", "EnvC6", "封筒 C6"},
    {34, "iso_b5_176x250mm", "ISOB5", "B5 (ISO)"},
    {37, "na_monarch_3.875x7.5in", "EnvMonarch", "封筒 Monarch"},
    {43, "iso_b4_250x353mm", "ISOB4", "B4 (ISO)"},
    {44, "jpn_hagaki_100x148mm", "Postcard", "はがき"},
    {66, "iso_a2_420x594mm", "A2", "A2"},
    {69, "jpn_oufuku_148x200mm", "DoublePostcardRotated", "往復はがき"},
    {70, "iso_a6_105x148mm", "A6", "A6"},
    {71, "jpn_kaku2_240x332mm", "EnvKaku2", "角形2号"},
    {72, "jpn_kaku3_216x277mm", "EnvKaku3", "角形3号"},
    {73, "jpn_chou3_120x235mm", "EnvChou3", "長形3号"},
    {74, "jpn_chou4_90x205mm", "EnvChou4", "長形4号"},
    {88, "jis_b6_128x182mm", "B6", "B6 (JIS)"},
    {91, "jpn_you4_105x235mm", "EnvYou4", "洋形4号"},
};

// Half a millimetre in the hundredths CUPS measures paper in.
constexpr int kSizeTolerance = 50;

const pwg_media_t* SizeOf(const std::string& media) {
  if (const pwg_media_t* m = pwgMediaForPWG(media.c_str())) return m;
  if (const pwg_media_t* m = pwgMediaForPPD(media.c_str())) return m;
  return pwgMediaForLegacy(media.c_str());
}

const MediaKind* FindBySize(const pwg_media_t& size) {
  for (const MediaKind& kind : kMediaKinds) {
    const pwg_media_t* own = pwgMediaForPWG(kind.pwg);
    if (own && std::abs(own->width - size.width) <= kSizeTolerance &&
        std::abs(own->length - size.length) <= kSizeTolerance)
      return &kind;
  }
  return nullptr;
}

}  // namespace

std::span<const MediaKind> MediaKinds() { return kMediaKinds; }

const MediaKind* FindByCode(std::uint16_t code) {
  auto it = std::find_if(std::begin(kMediaKinds), std::end(kMediaKinds),
                         [code](const MediaKind& k) { return k.code == code; });
  return it == std::end(kMediaKinds) ? nullptr : it;
}

const MediaKind* FindByMediaName(std::string_view media) {
  if (media.empty()) return nullptr;
  const std::string name(media);
  for (const MediaKind& kind : kMediaKinds)
    if (name == kind.pwg) return &kind;
  for (const MediaKind& kind : kMediaKinds)
    if (strcasecmp(name.c_str(), kind.ppd) == 0) return &kind;

  const pwg_media_t* size = SizeOf(name);
  if (!size) {
    // "A4.Borderless", "na_letter_8.5x11in.Borderless": the paper is the name
    // before the last dot.
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) size = SizeOf(name.substr(0, dot));
  }
  return size ? FindBySize(*size) : nullptr;
}

}  // namespace plamor::paper
