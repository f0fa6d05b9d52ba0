#include "server/dialog/plamor_dlg.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

#include "platform/dynamic_library.h"
#include "platform/numeric_text.h"
#include "platform/prompts.h"
#include "server/automation_error.h"
#include "server/elements/column_rounding.h"
#include "server/dialog/dlg_view.h"
#include "server/dialog/event_pump.h"
#include "server/elements/optimize.h"
#include "server/elements/z_circle.h"
#include "server/elements/z_line.h"
#include "server/elements/z_text.h"
#include "server/formats/layer_codes.h"

namespace plamor {

namespace {

constexpr double kB0Tate = 1029;
constexpr double kB0Yoko = 1455;

NoEventPump& IdlePump() {
  static NoEventPump pump;
  return pump;
}

// The optional argument converted to a 32-bit or 16-bit integer, as the host
// converts a number it stores in such a field.
std::int32_t ToLong(double value, const char* name) {
  try {
    return numtext::ToInt32(value);
  } catch (const std::overflow_error&) {
    throw AutomationError(kErrOverflow, std::string("Overflow: argument ") + name +
                                            " does not fit a 32-bit integer");
  }
}

std::int16_t ToInteger(double value, const char* name) {
  try {
    return numtext::ToInt16(value);
  } catch (const std::overflow_error&) {
    throw AutomationError(kErrOverflow, std::string("Overflow: argument ") + name +
                                            " does not fit a 16-bit integer");
  }
}

bool IsAcceptedStyle(double style) { return style == 0 || style == 1 || style == 3 || style == 4; }

// A count label: the caption, the count in the number form with a blank
// before a non-negative number, and " 個". Built in place, as it is set after
// every element.
const std::string& CountLabel(std::string& label, std::string_view caption, std::int32_t count) {
  label.assign(caption);
  if (count < 0) {
    label += numtext::Str(count);
  } else {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, count);
    label += ' ';
    label.append(digits, result.ptr);
  }
  label += " 個";
  return label;
}

constexpr std::string_view kLineCaption = "線要素数＝";
constexpr std::string_view kCircleCaption = "円要素数＝";
constexpr std::string_view kTextCaption = "文字要素数＝";

}  // namespace

frmPlamorDlg::frmPlamorDlg(DlgView& view, EventPump* pump)
    : view_(view), pump_(pump ? pump : &IdlePump()) {
  BuildLayerCodeTable();
  view_.SetPaintHandler([this] { OnPaint(); });
}

frmPlamorDlg::~frmPlamorDlg() { view_.SetPaintHandler({}); }

// ---- State setters ----

void frmPlamorDlg::SetStyle(std::int32_t style) {
  style_ = style;
  if (style == ktpsolid) pich = 0;
}

void frmPlamorDlg::SetLayer(std::int32_t layer) {
  if (layer >= 1 && layer <= 128) layer_ = static_cast<std::int16_t>(layer);
}

void frmPlamorDlg::SetAtzKeta(std::int32_t keta) {
  if (keta > 0 && keta < 10) atzKeta_ = keta;
}

void frmPlamorDlg::SetAutoSize(bool on) {
  if (!on) return;
  prompts::MessageBoxRequest request;
  request.text = "自動ｻｲｽﾞ指定は、現在未サポート状態です";
  request.style = prompts::kOkOnly;
  prompts::Current().MessageBox(request);
}

void frmPlamorDlg::SetPaperSize(std::int32_t size) {
  paper_.SetSize(size);
  paperTate_ = paper_.Tate().value;
  paperYoko_ = paper_.Yoko().value;
}

void frmPlamorDlg::SetPaperTate(double tate) {
  if (!(tate > 0)) return;
  paper_.SetSize(ktpB0);
  paperTate_ = tate > kB0Tate ? kB0Tate : tate;
  paper_.SetSize(ktpFREE);
}

void frmPlamorDlg::SetPaperYoko(double yoko) {
  if (!(yoko > 0)) return;
  paper_.SetSize(ktpB0);
  paperYoko_ = yoko > kB0Yoko ? kB0Yoko : yoko;
  paper_.SetSize(ktpFREE);
}

// ---- Registration ----

double frmPlamorDlg::Round(double value) const {
  const std::int32_t digits = Settings().RoundColum;
  if (digits < 0) {
    throw AutomationError(kErrInvalidArgument, "Invalid procedure call or argument: RoundColum is " +
                                                   std::to_string(digits) + ", below 0 decimals");
  }
  return RoundToColumnsValue(value, digits);
}

frmPlamorDlg::ShapeAttributes frmPlamorDlg::ResolveShape(const LineOptions& options) const {
  ShapeAttributes a{penNo_, style_, pich, layer_};
  if (auto v = options.vPen.Number("vPen"); v && *v >= 0 && *v <= 7) a.pen = ToLong(*v, "vPen");
  if (auto v = options.vStyl.Number("vStyl"); v && IsAcceptedStyle(*v)) a.style = static_cast<std::int32_t>(*v);
  if (auto v = options.vPich.Number("vPich")) a.pich = *v;
  if (a.style == ktpsolid) a.pich = 0;
  if (auto v = options.vLayer.Number("vLayer"); v && *v >= 1 && *v <= 128) a.layer = ToInteger(*v, "vLayer");
  RequireFinite(a.pich, "the pitch");
  return a;
}

void frmPlamorDlg::En(double x, double y, double r, const LineOptions& options) {
  AddCircle(RegKind::En, x, y, r, r, 0, 360, 0, options);
}

void frmPlamorDlg::Enko(double x, double y, double r, double sAng, double mang,
                        const LineOptions& options) {
  AddCircle(RegKind::Enko, x, y, r, r, sAng, mang, 0, options);
}

void frmPlamorDlg::Daen(double x, double y, double xr, double yr, double lang,
                        const LineOptions& options) {
  AddCircle(RegKind::Daen, x, y, xr, yr, 0, 360, lang, options);
}

void frmPlamorDlg::Daenko(double x, double y, double xr, double yr, double sAng, double mang,
                          double lang, const LineOptions& options) {
  AddCircle(RegKind::Daenko, x, y, xr, yr, sAng, mang, lang, options);
}

namespace {

// The resolved pen, style, pitch and layer of a line or circle record.
template <class Record, class Shape>
void ApplyShape(Record& record, const Shape& a) {
  record.SetPen(a.pen);
  record.Style = a.style;
  record.pich = a.pich;
  record.Layer = a.layer;
}

}  // namespace

void frmPlamorDlg::AddCircle(RegKind kind, double x, double y, double xr, double yr, double sAng,
                             double mang, double lang, const LineOptions& options) {
  RequireFinite({{x, "x"}, {y, "y"}, {xr, kind == RegKind::En || kind == RegKind::Enko ? "r" : "xr"}, {yr, "yr"},
                 {sAng, "sAng"}, {mang, "mang"}, {lang, "lang"}});
  const ShapeAttributes a = ResolveShape(options);
  auto circle = std::make_unique<clsZCircle>();
  circle->x = Round(x);
  CircleCentre::SetY(*circle, Round(y));
  circle->xr = Round(xr);
  circle->yr = Round(yr);
  circle->sAng = sAng;
  circle->mang = mang;
  circle->lang = lang;
  ApplyShape(*circle, a);
  File(kind, std::move(circle));
}

void frmPlamorDlg::Sen(double x1, double y1, double x2, double y2, const LineOptions& options) {
  RequireFinite({{x1, "x1"}, {y1, "y1"}, {x2, "x2"}, {y2, "y2"}});
  const ShapeAttributes a = ResolveShape(options);
  auto line = std::make_unique<clsZLine>();
  line->x1 = Round(x1);
  line->y1 = Round(y1);
  line->x2 = Round(x2);
  line->y2 = Round(y2);
  ApplyShape(*line, a);
  File(RegKind::Sen, std::move(line));
}

void frmPlamorDlg::Moji(double x, double y, const std::string& cText, std::int32_t tStyl, double cAng,
                        double tAng, const TextOptions& options) {
  AddText(x, y, cText, tStyl, cAng, tAng, options, nullptr);
}

void frmPlamorDlg::MojiExt(double x, double y, const std::string& cText, std::int32_t tStyl,
                           double cAng, double tAng, const TextOptions& options,
                           const OptionalArg& vFontType) {
  AddText(x, y, cText, tStyl, cAng, tAng, options, &vFontType);
}

void frmPlamorDlg::AddText(double x, double y, const std::string& cText, std::int32_t tStyl,
                           double cAng, double tAng, const TextOptions& options,
                           const OptionalArg* vFontType) {
  RequireFinite({{x, "x"}, {y, "y"}, {cAng, "cAng"}, {tAng, "tAng"}});
  auto text = std::make_unique<clsZText>();
  text->x = Round(x);
  text->y = Round(y);
  text->Text = cText;
  text->Style = tStyl;
  text->sAng = cAng;
  text->lang = tAng;
  text->height = mTextHeight;
  if (auto v = options.vHeight.Number("vHeight"); v && *v > 0) text->height = *v;
  text->width = mTextWidth;
  if (auto v = options.vWidth.Number("vWidth"); v && *v > 0) text->width = *v;
  text->Between = TextBetween;
  if (auto v = options.vBetween.Number("vBetween"); v && *v >= 0) text->Between = *v;
  std::int32_t pen = penNo_;
  if (auto v = options.vPen.Number("vPen"); v && *v >= 0 && *v <= 7) pen = ToLong(*v, "vPen");
  text->SetPen(pen);
  text->Layer = layer_;
  if (auto v = options.vLayer.Number("vLayer"); v && *v >= 1 && *v <= 128) {
    text->Layer = ToInteger(*v, "vLayer");
  }
  text->PaperScale = PaperScale;
  std::int32_t kiten = TextKiten;
  if (auto v = options.vKiten.Number("vKiten")) kiten = ToLong(*v, "vKiten");
  std::int16_t fontType = 0;
  if (vFontType) {
    if (auto v = vFontType->Number("vFontType")) fontType = ToInteger(*v, "vFontType");
  }
  text->FontType = fontType;
  RequireFinite({{text->height, "the text height"},
                 {text->width, "the text width"},
                 {text->Between, "the text spacing"},
                 {PaperScale, "the paper scale"}});
  // The anchor comes last: its shift uses the final sizes, direction and scale.
  text->SetKiten(kiten);
  RequireFinite(text->x, "x after the anchor shift");
  RequireFinite(text->y, "y after the anchor shift");
  File(RegKind::Moji, std::move(text));
}

namespace {

// The search key; a key library that cannot be used is the caller's error.
std::string SearchKeyOf(const clsZElement& element) {
  try {
    return element.SearchKey();
  } catch (const dynlib::LibraryError& e) {
    throw AutomationError(kErrLibraryLoad, e.what());
  }
}

}  // namespace

void frmPlamorDlg::File(RegKind kind, std::unique_ptr<clsZElement> element) {
  // A duplicate is dropped quietly; any other failure is the caller's error.
  if (Optimaze > ktpLevel0 && !store_.AddSearchKey(SearchKeyOf(*element))) return;
  store_.Add(kind, std::move(element));
  switch (kind) {
    case RegKind::Sen: view_.SetLabel(1, CountLabel(label_, kLineCaption, store_.Counter(kind))); break;
    case RegKind::Moji: view_.SetLabel(3, CountLabel(label_, kTextCaption, store_.Counter(kind))); break;
    default: view_.SetLabel(2, CountLabel(label_, kCircleCaption, store_.CircleFamilyCount())); break;
  }
  pump_->ProcessPendingEvents();
}

void frmPlamorDlg::Clear() {
  store_.Clear();
  cancel_ = false;
}

// ---- Window ----

void frmPlamorDlg::ShowCounts() {
  view_.SetLabel(1, CountLabel(label_, kLineCaption, store_.Counter(RegKind::Sen)));
  view_.SetLabel(2, CountLabel(label_, kCircleCaption, store_.CircleFamilyCount()));
  view_.SetLabel(3, CountLabel(label_, kTextCaption, store_.Counter(RegKind::Moji)));
}

void frmPlamorDlg::ShowDialog() {
  view_.SetLabel(0, "要素登録中．．．．．．！！");
  ShowCounts();
  view_.SetProgressVisible(false);
  view_.Show();
}

int frmPlamorDlg::AskCancel() {
  prompts::MessageBoxRequest request;
  request.text = "図面の作成を中止しますか？";
  request.title = "中止の確認";
  request.style = static_cast<int>(prompts::kYesNo) | prompts::kExclamation | prompts::kDefaultButton2;
  DispCancelDlg = true;
  const int answer = prompts::Current().MessageBox(request);
  DispCancelDlg = false;
  return answer;
}

void frmPlamorDlg::OnCancelButton() {
  view_.SetCancelEnabled(false);
  if (AskCancel() == prompts::kYes) cancel_ = true;
  view_.SetCancelEnabled(true);
}

bool frmPlamorDlg::OnCloseRequest(bool byUser) {
  if (!byUser) {
    store_.Clear();
    return true;
  }
  if (AskCancel() != prompts::kNo) cancel_ = true;
  return false;
}

void frmPlamorDlg::OptimizeLines() { plamor::OptimizeLines(store_, lv_, view_, *pump_, cancel_); }

}  // namespace plamor
